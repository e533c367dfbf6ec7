#include "platform/disc/tools/vcdimager_output.h"

#include <algorithm>
#include <cstdio>

namespace {

double Percent(long long position, long long size) {
  if (size <= 0) return 0;
  return std::clamp(100.0 * static_cast<double>(position) / static_cast<double>(size), 0.0, 100.0);
}

std::string AfterPrefix(std::string_view text, std::size_t prefix) {
  text.remove_prefix(std::min(prefix, text.size()));
  const auto start = text.find_first_not_of(' ');
  return start == std::string_view::npos ? std::string() : std::string(text.substr(start));
}

// Value of name="..." in a --gui line.
std::string Attribute(std::string_view line, std::string_view name) {
  const std::string key = std::string(name) + "=\"";
  const auto at = line.find(key);
  if (at == std::string_view::npos) return {};
  const auto end = line.find('"', at + key.size());
  if (end == std::string_view::npos) return {};
  return std::string(line.substr(at + key.size(), end - at - key.size()));
}

}  // namespace

VcdimagerLine ParseVcdimagerLine(std::string_view raw) {
  VcdimagerLine line;
  const auto first = raw.find_first_not_of(" \t");
  if (first == std::string_view::npos) return line;
  const std::string_view text = raw.substr(first);
  const std::string copy(text);

  long long position = 0, size = 0, sectors = 0;
  int part = 0, parts = 0;
  char item[128] = {};
  if (std::sscanf(copy.c_str(), "#scan[%127[^]]]: %lld/%lld", item, &position, &size) == 3) {
    line.kind = VcdimagerLine::Kind::Scan;
    line.item = item;
  } else if (std::sscanf(copy.c_str(), "#write[%d/%d]: %lld/%lld", &part, &parts, &position, &size) == 4) {
    line.kind = VcdimagerLine::Kind::Write;
    line.part = part;
    line.parts = parts;
  } else if (text.substr(0, 9) == "<progress") {
    const std::string operation = Attribute(text, "operation");
    const std::string at = Attribute(text, "position");
    const std::string total = Attribute(text, "size");
    if (at.empty() || total.empty() || (operation != "scan" && operation != "write")) return line;
    line.kind = operation == "scan" ? VcdimagerLine::Kind::Scan : VcdimagerLine::Kind::Write;
    line.item = Attribute(text, "id");
    position = std::atoll(at.c_str());
    size = std::atoll(total.c_str());
  } else if (text.substr(0, 7) == "**ERROR") {
    line.kind = VcdimagerLine::Kind::Error;
    line.text = AfterPrefix(text, text.find(':') == std::string_view::npos ? 7 : text.find(':') + 1);
    return line;
  } else if (text.substr(0, 7) == "++ WARN") {
    line.kind = VcdimagerLine::Kind::Warning;
    line.text = AfterPrefix(text, text.find(':') == std::string_view::npos ? 7 : text.find(':') + 1);
    return line;
  } else if (std::sscanf(copy.c_str(), "finished ok, image created with %lld sectors", &sectors) == 1) {
    line.kind = VcdimagerLine::Kind::Finished;
    line.sectors = sectors;
    line.percent = 100;
    return line;
  } else {
    return line;
  }
  line.position = position;
  line.size = size;
  line.percent = Percent(position, size);
  return line;
}
