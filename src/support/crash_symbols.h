#pragma once
// Reading a crash report after the fact, outside the crashed process: which
// modules it lists, which of its raw addresses lie in the program's own
// module, and the function and source line of each (addr2line, binutils).

#include <cstdint>
#include <string>
#include <vector>

struct ReportModule {
  std::string path;
  std::uint64_t base = 0;  // where the image lay in the crashed process
  std::uint64_t size = 0;
};

struct CodeAddress {
  std::uint64_t address = 0;   // as the report has it
  bool returnAddress = false;  // found on the stack: the call lies just before it
};

struct SymbolisedAddress {
  std::uint64_t address = 0;
  std::string function;  // "??" when unknown
  std::string location;  // "file:line", "??:0" when unknown
};

// The program's executable as the report names it ("<path>, run by <user>.").
std::string ReportProgramPath(const std::string& report);

// The modules of the report's module list, in its order.
std::vector<ReportModule> ReportModules(const std::string& report);

// The instruction pointer, then the 64-bit stack values that point into the
// module, from the stack pointer upward; at most limit of them.
std::vector<CodeAddress> CodeAddressesIn(const std::string& report, const ReportModule& module, std::size_t limit = 64);

// Function and source line of each address, by addr2line on the module's file.
// Empty when addr2line cannot be run.
std::vector<SymbolisedAddress> Symbolise(const ReportModule& module, const std::vector<CodeAddress>& addresses);

// "Where it happened" as text for the report's reader: one line per address
// of the program's own module ("0x...  function  file:line"); "" when the
// report names no such module.
std::string SymbolisedStack(const std::string& report);
