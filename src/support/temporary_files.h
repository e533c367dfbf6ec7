#pragma once
// The process-wide register of files the program wrote for its own use (the
// MPEG streams converted for a disc), deleted again after burning.
//
// AddTempFile runs on the conversion thread, DeleteTempFiles on the window
// thread only while no conversion runs; a lock keeps the list itself sound
// should a caller break that order.

#include <string_view>
#include <vector>

#include "support/path_buffer.h"

class CTemporaryFiles {
 public:
  CTemporaryFiles() = delete;

  static void AddTempFile(std::string_view path);

  // Deletes every registered file that exists, in the order registered, then
  // empties the register. A file that exists but cannot be deleted raises a
  // file_exception; the register then keeps all its entries.
  static void DeleteTempFiles();

  // A copy of the register, in the order registered.
  static std::vector<PathBuffer> RegisteredFiles();
};
