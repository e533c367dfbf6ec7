#include "platform/disc/tools/disc_tools.h"

#include <array>
#include <cctype>
#include <mutex>
#include <vector>

#include "platform/process/child_process.h"
#include "platform/process/find_program.h"
#include "support/log.h"
#include "support/path_buffer.h"

namespace {

struct ToolEntry {
  const char* name;
  const char* package;
  std::vector<std::string> versionArguments;  // what makes it print its version and end
};

const std::array<ToolEntry, static_cast<std::size_t>(DiscTool::Count)>& Entries() {
  static const std::array<ToolEntry, static_cast<std::size_t>(DiscTool::Count)> entries = {{
      {"dvdauthor", "dvdauthor", {"-h"}},
      {"spumux", "dvdauthor", {"-h"}},
      {"genisoimage", "genisoimage", {"--version"}},
      {"vcdxgen", "vcdimager", {"--version"}},
      {"vcdxbuild", "vcdimager", {"--version"}},
      {"xorriso", "xorriso", {"-version"}},
      {"growisofs", "growisofs", {"-version"}},
      {"cdrdao", "cdrdao", {}},  // prints its version above the usage
      {"ffmpeg", "ffmpeg", {"-version"}},
  }};
  return entries;
}

std::mutex g_lock;
bool g_located = false;
std::array<DiscToolInfo, static_cast<std::size_t>(DiscTool::Count)> g_tools;

std::string FindTool(DiscTool tool, const char* name) {
  // The converter's own ffmpeg lies next to the executable when shipped so.
  if (tool == DiscTool::Ffmpeg) {
    try {
      const PathBuffer local = ModuleFolderFile(name);
      if (IsExecutableFile(local.str())) return local.str();
    } catch (const std::exception&) {
      // no usable executable folder: fall back to PATH
    }
  }
  return FindProgram(name);
}

void LocateLocked() {
  for (std::size_t i = 0; i < g_tools.size(); ++i) {
    const ToolEntry& entry = Entries()[i];
    DiscToolInfo info;
    info.tool = static_cast<DiscTool>(i);
    info.name = entry.name;
    info.package = entry.package;
    info.path = FindTool(info.tool, entry.name);
    if (info.Found()) {
      std::vector<std::string> argv = {info.path};
      argv.insert(argv.end(), entry.versionArguments.begin(), entry.versionArguments.end());
      info.version = ParseToolVersion(RunProcess(argv).output);
      Log("Disc tool %s: %s, version %s", entry.name, info.path.c_str(),
          info.version.empty() ? "unknown" : info.version.c_str());
    } else {
      Log("Disc tool %s: not found (package %s)", entry.name, entry.package);
    }
    g_tools[i] = std::move(info);
  }
  g_located = true;
}

}  // namespace

DiscToolInfo GetDiscTool(DiscTool tool) {
  std::lock_guard<std::mutex> lock(g_lock);
  if (!g_located) LocateLocked();
  const auto index = static_cast<std::size_t>(tool);
  return index < g_tools.size() ? g_tools[index] : DiscToolInfo{};
}

void LocateDiscTools() {
  std::lock_guard<std::mutex> lock(g_lock);
  LocateLocked();
}

std::string MissingToolText(DiscTool tool) {
  const auto index = static_cast<std::size_t>(tool);
  if (index >= Entries().size()) return "Unknown disc tool";
  const ToolEntry& entry = Entries()[index];
  return std::string(entry.name) + " was not found; install the Debian package " + entry.package + ".";
}

std::string ParseToolVersion(std::string_view output) {
  // The first line that says something.
  std::string_view line;
  while (!output.empty()) {
    const auto end = output.find_first_of("\r\n");
    line = output.substr(0, end);
    output = end == std::string_view::npos ? std::string_view() : output.substr(end + 1);
    if (line.find_first_not_of(" \t") != std::string_view::npos) break;
    line = {};
  }
  auto isSpace = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
  auto tokenAt = [&](std::size_t start) {
    std::size_t end = start;
    while (end < line.size() && !isSpace(line[end])) ++end;
    std::string token(line.substr(start, end - start));
    while (!token.empty() && std::string_view(".,;:)").find(token.back()) != std::string_view::npos) token.pop_back();
    return token;
  };

  std::string lower(line);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  const auto word = lower.find("version");
  if (word != std::string::npos) {
    std::size_t start = word + 7;
    while (start < line.size() && (isSpace(line[start]) || line[start] == ':')) ++start;
    if (start < line.size() && std::isdigit(static_cast<unsigned char>(line[start])) != 0) return tokenAt(start);
  }
  // Otherwise the first word that starts with a digit and holds a dot: "genisoimage 1.1.11 (Linux)".
  for (std::size_t i = 0; i < line.size(); ++i) {
    if ((i == 0 || isSpace(line[i - 1])) && std::isdigit(static_cast<unsigned char>(line[i])) != 0) {
      std::string token = tokenAt(i);
      if (token.find('.') != std::string::npos) return token;
    }
  }
  return {};
}
