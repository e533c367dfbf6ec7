#pragma once
// Texts this layer writes into other programs' files and into fixed-size
// record fields: each format's own escaping, length limits cut at a whole
// UTF-8 character, and names that such formats cannot hold at all.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "support/text.h"

// text escaped for an XML attribute or element; nullopt when it holds a
// control character XML 1.0 cannot carry (line breaks and tabs are kept as
// character references, so an attribute keeps them).
std::optional<std::string> XmlEscaped(std::string_view text);

// The longest start of text of at most maxBytes that ends on a whole UTF-8 character.
std::string Utf8Prefix(std::string_view text, std::size_t maxBytes);

// ISO 9660 volume id for a DVD image: at most 32 bytes; "" becomes "DVD_VIDEO".
std::string IsoVolumeId(std::string_view label);

// (Super) Video CD volume label: ISO 9660 d-characters only (A-Z, 0-9, _),
// at most 32; others become '_'; "" becomes "VIDEOCD".
std::string VcdVolumeLabel(std::string_view label);

// A file name made from a volume label: no '/', no control characters and no
// '"' (a cue sheet names its bin file in double quotes and cannot escape one),
// without leading dots, dashes or blanks; "" becomes "disc".
std::string ImageBaseName(std::string_view label);

// Text of a fixed-size, NUL-terminated record field; nullopt when the field
// has no terminating NUL.
std::optional<std::string> ReadTextField(const char* field, std::size_t size);

// Stores text into a fixed-size field, cut at a whole character, NUL-terminated.
void WriteTextField(char* field, std::size_t size, std::string_view text);
