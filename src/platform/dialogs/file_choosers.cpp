#include "platform/dialogs/file_choosers.h"

#include "support/text.h"

namespace {

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (auto end = text.find(separator); end != std::string_view::npos; end = text.find(separator, start)) {
    parts.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  parts.push_back(text.substr(start));
  return parts;
}

}  // namespace

std::vector<FileFilter> FileFiltersFromText(std::string_view text) {
  std::vector<FileFilter> filters;
  const auto fields = Split(text, '|');
  for (std::size_t i = 0; i + 1 < fields.size(); i += 2) {
    FileFilter filter;
    filter.description = std::string(TrimBlanks(fields[i]));
    for (std::string_view pattern : Split(fields[i + 1], ';')) {
      pattern = TrimBlanks(pattern);
      if (!pattern.empty()) filter.patterns.emplace_back(pattern);
    }
    if (!filter.patterns.empty()) filters.push_back(std::move(filter));
  }
  return filters;
}
