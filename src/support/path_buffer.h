#pragma once
// Fixed-size, zero-terminated path buffers and the few derived paths the
// program needs. The separator is '/'. A path that does not fit is refused
// with a peravel_exception naming it; it is never cut.

#include <limits.h>

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

class PathBuffer {
 public:
  // Room for the longest path Linux accepts, terminating zero included.
  static constexpr std::size_t kCapacity = PATH_MAX;
  // The longest file name (one path element) the file systems take, in bytes.
  static constexpr std::size_t kMaxFileName = NAME_MAX;

  PathBuffer() = default;
  PathBuffer(std::string_view path);  // NOLINT(google-explicit-constructor): paths convert freely
  PathBuffer(const char* path) : PathBuffer(std::string_view(path != nullptr ? path : "")) {}  // NOLINT
  PathBuffer(const std::string& path) : PathBuffer(std::string_view(path)) {}                  // NOLINT

  PathBuffer& operator=(std::string_view path);

  const char* c_str() const noexcept { return m_path; }
  std::string str() const { return m_path; }
  std::size_t size() const noexcept;
  bool empty() const noexcept { return m_path[0] == '\0'; }
  operator std::string_view() const noexcept { return m_path; }  // NOLINT(google-explicit-constructor)

  // Appends name with one '/' between, as needed.
  PathBuffer& Append(std::string_view name);
  // Removes the last extension of the file name (from its last dot on).
  PathBuffer& RemoveExtension();
  // Removes the last path element and its separator; the root stays "/".
  PathBuffer& RemoveFileSpec();
  // The text after the last '/', or the whole text.
  std::string_view FileName() const noexcept;
  // The last extension of the file name with its dot, or "".
  std::string_view Extension() const noexcept;
  // True if a file or folder of that name exists.
  bool Exists() const;

  friend bool operator==(const PathBuffer& a, const PathBuffer& b) noexcept;

 private:
  void Assign(std::string_view path);

  char m_path[kCapacity] = {};
};

// $TMPDIR, else /tmp, never ending in '/'.
PathBuffer TempFolderPath();

// The per-user folder for the program's data: $XDG_DATA_HOME when it is an
// absolute path, else $HOME/.local/share; never ending in '/'.
PathBuffer UserDataFolderPath();

// A file that belongs to the program, "next to the executable": the running
// executable's folder with name appended when that exists (the build tree);
// else, in an installed tree, <prefix>/share/orlenta/name (data) or
// <prefix>/libexec/orlenta/name (helper programs) beside <prefix>/bin when
// one of them exists; else the path beside the executable, so that messages
// name where the file was looked for.
PathBuffer ModuleFolderFile(std::string_view name);
// The same lookup for the executable at the given path.
PathBuffer ProgramFileFor(std::string_view executable, std::string_view name);

// Throws a peravel_exception naming the file when the path's file name is
// longer than a file system can hold, so that nothing is started under it.
void RefuseLongFileName(const PathBuffer& path);

// If the path exists, turns it into "<path without extension>(n)<extension>"
// with the first n = 1, 2, ... that names no existing file.
void MakeUniquePath(PathBuffer& path);
// The same where taken tells which names are in use (files that exist, or
// names already promised to someone else).
void MakeUniquePath(PathBuffer& path, const std::function<bool(const PathBuffer&)>& taken);
