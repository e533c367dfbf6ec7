#pragma once
// Addresses of the maker's web pages (codec downloads, QuickTime, support,
// MPEG-4 help). The host is a placeholder until the project has a site of its
// own: kMakerSite is the one place to change it.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

inline constexpr const char* kMakerSite = "https://www.orlenta.example/";

// kMakerSite + path, with the query keys in the order given; every value is
// percent-encoded, so a code read from a file cannot add keys of its own.
std::string MakerPage(std::string_view path, const std::vector<std::pair<std::string, std::string>>& query = {});

// "support.htm?fourcc=<code>", the codec dialog's link.
std::string SupportPageAddress(std::string_view fourcc);
// "downloadcodec.htm?c=<code>&a=d" to download a codec, "...&a=s" to search for it.
std::string CodecPageAddress(std::string_view fourcc, bool download);
// "downloadquicktime.htm".
std::string QuickTimePageAddress();
// "downloads/mpeg4.htm", the MPEG-4 help's link.
std::string Mpeg4PageAddress();

// A page of our own on this computer as a file:// address: the path and every
// query value percent-encoded, then "#" and the section (none when empty).
// The help page stands in for the maker's pages that do not exist for us.
std::string LocalPageAddress(std::string_view path, const std::vector<std::pair<std::string, std::string>>& query,
                             std::string_view section);
