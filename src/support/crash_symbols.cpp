#include "support/crash_symbols.h"

#include <QProcess>
#include <QStringList>
#include <cinttypes>
#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>

namespace {

constexpr std::uint16_t kElfSharedObject = 3;  // ET_DYN: addresses in the file are relative to the load base

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::uint64_t Hex(const std::string& text) {
  return std::stoull(text, nullptr, 16);
}

// The ELF file's type; 0 when it cannot be read.
std::uint16_t ElfType(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  unsigned char header[18] = {};
  if (!in.read(reinterpret_cast<char*>(header), sizeof header)) return 0;
  return static_cast<std::uint16_t>(header[16] | (header[17] << 8));
}

std::string HexText(std::uint64_t value) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%016" PRIx64, value);
  return text;
}

}  // namespace

std::string ReportProgramPath(const std::string& report) {
  for (const std::string& line : Lines(report)) {
    const auto by = line.rfind(", run by ");
    if (by != std::string::npos && !line.empty() && line.front() == '/') return line.substr(0, by);
  }
  return "";
}

std::vector<ReportModule> ReportModules(const std::string& report) {
  static const std::regex kBase(R"(^Image Base: 0x([0-9a-f]+)  Image Size: 0x([0-9a-f]+)$)");
  std::vector<ReportModule> modules;
  const std::vector<std::string> lines = Lines(report);
  for (std::size_t i = 0; i + 2 < lines.size(); ++i) {
    if (lines[i].rfind("Module ", 0) != 0) continue;
    std::smatch match;
    if (!std::regex_match(lines[i + 2], match, kBase)) continue;
    modules.push_back({lines[i + 1], Hex(match[1]), Hex(match[2])});
  }
  return modules;
}

std::vector<CodeAddress> CodeAddressesIn(const std::string& report, const ReportModule& module, std::size_t limit) {
  static const std::regex kRip(R"(^RIP:\s+0x([0-9a-f]+)\s)");
  static const std::regex kRow(R"(^0x([0-9a-f]{16}): ((?:[0-9a-f]{8} ){1,4}))");
  const auto inside = [&module](std::uint64_t address) {
    return address >= module.base && address - module.base < module.size;
  };
  std::vector<CodeAddress> found;
  bool inStack = false;
  std::uint64_t pendingLow = 0;
  bool havePending = false;
  for (const std::string& line : Lines(report)) {
    std::smatch match;
    if (std::regex_search(line, match, kRip) && inside(Hex(match[1]))) {
      found.push_back({Hex(match[1]), false});
    }
    if (line == "Stack:") inStack = true;
    if (!inStack) continue;
    if (!std::regex_search(line, match, kRow)) {
      if (line.empty() && !found.empty()) inStack = false;
      continue;
    }
    std::uint64_t address = Hex(match[1]);
    std::istringstream words(match[2].str());
    std::string word;
    // Pairs of 32-bit words, low half first, at 8-byte aligned addresses.
    for (; words >> word; address += 4) {
      const std::uint64_t value = Hex(word);
      if (address % 8 == 0) {
        pendingLow = value;
        havePending = true;
      } else if (havePending) {
        const std::uint64_t pointer = pendingLow | (value << 32);
        havePending = false;
        if (inside(pointer)) found.push_back({pointer, true});
      }
      if (found.size() >= limit) return found;
    }
  }
  return found;
}

std::vector<SymbolisedAddress> Symbolise(const ReportModule& module, const std::vector<CodeAddress>& addresses) {
  std::vector<SymbolisedAddress> result;
  if (addresses.empty()) return result;
  const bool relative = ElfType(module.path) == kElfSharedObject;
  QStringList arguments{"-f", "-C", "-e", QString::fromStdString(module.path)};
  for (const CodeAddress& code : addresses) {
    std::uint64_t inFile = relative ? code.address - module.base : code.address;
    if (code.returnAddress && inFile > 0) --inFile;
    arguments << QString::fromStdString(HexText(inFile));
  }
  QProcess addr2line;
  addr2line.start("addr2line", arguments);
  if (!addr2line.waitForStarted(10'000) || !addr2line.waitForFinished(60'000)) return result;
  const std::vector<std::string> lines = Lines(addr2line.readAllStandardOutput().toStdString());
  for (std::size_t i = 0; i < addresses.size() && 2 * i + 1 < lines.size(); ++i) {
    result.push_back({addresses[i].address, lines[2 * i], lines[2 * i + 1]});
  }
  return result;
}

std::string SymbolisedStack(const std::string& report) {
  const std::string program = ReportProgramPath(report);
  for (const ReportModule& module : ReportModules(report)) {
    if (module.path != program) continue;
    std::string text;
    for (const SymbolisedAddress& symbol : Symbolise(module, CodeAddressesIn(report, module))) {
      text += HexText(symbol.address) + "  " + symbol.function + "  " + symbol.location + "\n";
    }
    return text;
  }
  return "";
}
