#pragma once
// Whether bytes are UTF-8 text: file names need not be (a name from an old
// disc or another system), and the tools and parsers that read text refuse them.

#include <string_view>

bool IsUtf8(std::string_view text);
