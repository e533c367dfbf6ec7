#include "platform/dialogs/file_choosers.h"

#include <dirent.h>
#include <sys/stat.h>

#include <QString>

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

bool Exists(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0;
}

// The one entry of folder that shows as shownName, or "".
std::string EntryShownAs(const std::string& folder, const std::string& shownName) {
  DIR* listing = ::opendir(folder.empty() ? "/" : folder.c_str());
  if (listing == nullptr) return {};
  std::string found;
  int matches = 0;
  while (const dirent* entry = ::readdir(listing)) {
    const std::string name = entry->d_name;
    if (QString::fromLocal8Bit(name.data(), static_cast<qsizetype>(name.size())).toStdString() == shownName) {
      found = name;
      ++matches;
    }
  }
  ::closedir(listing);
  return matches == 1 ? found : std::string();
}

}  // namespace

std::string PathBytesOfShownPath(const std::string& shown) {
  if (shown.empty() || shown.front() != '/' || Exists(shown)) return shown;
  std::string path;
  for (std::string_view part : Split(std::string_view(shown).substr(1), '/')) {
    if (part.empty()) continue;
    std::string next = path + "/" + std::string(part);
    if (!Exists(next)) {
      const std::string entry = EntryShownAs(path, std::string(part));
      if (entry.empty()) return shown;
      next = path + "/" + entry;
    }
    path = std::move(next);
  }
  return path;
}

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
