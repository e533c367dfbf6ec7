#include "support/maker_pages.h"

namespace {

// Every byte but the unreserved ones (and keep, in a path: '/') as %XX.
std::string PercentEncoded(std::string_view value, std::string_view keep = {}) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string encoded;
  for (const char c : value) {
    const auto byte = static_cast<unsigned char>(c);
    const bool unreserved = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                            (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' || byte == '_' || byte == '~';
    if (unreserved || keep.find(c) != std::string_view::npos) {
      encoded += c;
    } else {
      encoded += '%';
      encoded += kHex[byte >> 4];
      encoded += kHex[byte & 0xF];
    }
  }
  return encoded;
}

void AppendQuery(std::string& address, const std::vector<std::pair<std::string, std::string>>& query) {
  char separator = '?';
  for (const auto& [key, value] : query) {
    address += separator + key + "=" + PercentEncoded(value);
    separator = '&';
  }
}

}  // namespace

std::string MakerPage(std::string_view path, const std::vector<std::pair<std::string, std::string>>& query) {
  std::string address = std::string(kMakerSite) + std::string(path);
  AppendQuery(address, query);
  return address;
}

std::string LocalPageAddress(std::string_view path, const std::vector<std::pair<std::string, std::string>>& query,
                             std::string_view section) {
  std::string address = "file://" + PercentEncoded(path, "/");
  AppendQuery(address, query);
  if (!section.empty()) address += "#" + PercentEncoded(section);
  return address;
}

std::string SupportPageAddress(std::string_view fourcc) {
  return MakerPage("support.htm", {{"fourcc", std::string(fourcc)}});
}

std::string CodecPageAddress(std::string_view fourcc, bool download) {
  return MakerPage("downloadcodec.htm", {{"c", std::string(fourcc)}, {"a", download ? "d" : "s"}});
}

std::string QuickTimePageAddress() {
  return MakerPage("downloadquicktime.htm");
}

std::string Mpeg4PageAddress() {
  return MakerPage("downloads/mpeg4.htm");
}
