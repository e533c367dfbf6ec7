#include "platform/disc/disc_text.h"

#include <cstring>

std::optional<std::string> XmlEscaped(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 16);
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&apos;";
        break;
      case '\n':
        out += "&#10;";
        break;
      case '\r':
        out += "&#13;";
        break;
      case '\t':
        out += "&#9;";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) return std::nullopt;
        out += c;
    }
  }
  return out;
}

std::string Utf8Prefix(std::string_view text, std::size_t maxBytes) {
  if (text.size() <= maxBytes) return std::string(text);
  std::size_t end = maxBytes;
  // Step back over continuation bytes to the start of the cut character.
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return std::string(text.substr(0, end));
}

std::string IsoVolumeId(std::string_view label) {
  std::string id = Utf8Prefix(label, 32);
  return id.empty() ? "DVD_VIDEO" : id;
}

std::string VcdVolumeLabel(std::string_view label) {
  std::string out;
  for (const char c : label) {
    if (out.size() == 32) break;
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_') {
      out += c;
    } else if (c >= 'a' && c <= 'z') {
      out += static_cast<char>(c - 'a' + 'A');
    } else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
      out += '_';  // one '_' per character, not per byte of a UTF-8 sequence
    }
  }
  return out.empty() ? "VIDEOCD" : out;
}

std::string ImageBaseName(std::string_view label) {
  std::string out;
  for (const char c : label) {
    const auto byte = static_cast<unsigned char>(c);
    out += (c == '/' || c == '"' || byte < 0x20 || byte == 0x7f) ? '_' : c;
  }
  // Leading dots would hide the file, a leading dash reads as an option,
  // surrounding blanks are easily missed.
  const auto first = out.find_first_not_of(" .-");
  const auto last = out.find_last_not_of(' ');
  out = first == std::string::npos ? std::string() : out.substr(first, last - first + 1);
  out = Utf8Prefix(out, 200);
  return out.empty() ? "disc" : out;
}

std::optional<std::string> ReadTextField(const char* field, std::size_t size) {
  const void* end = std::memchr(field, '\0', size);
  if (end == nullptr) return std::nullopt;
  return std::string(field, static_cast<const char*>(end) - field);
}

void WriteTextField(char* field, std::size_t size, std::string_view text) {
  if (size == 0) return;
  const std::string cut = Utf8Prefix(text, size - 1);
  std::memset(field, 0, size);
  std::memcpy(field, cut.data(), cut.size());
}
