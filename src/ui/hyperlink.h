#pragma once
// A web address and its one operation: opening it in the user's browser.

#include <string>

class CHyperlink {
 public:
  CHyperlink() = default;
  explicit CHyperlink(std::string address) : m_strAddress(std::move(address)) {}

  const std::string& Address() const { return m_strAddress; }
  void SetAddress(std::string address) { m_strAddress = std::move(address); }
  bool IsEmpty() const { return m_strAddress.empty(); }

  // Opens the address through the desktop (ShellOpen); false when it is
  // empty or the desktop refused it.
  bool Open() const;

 private:
  std::string m_strAddress;
};
