#pragma once
// Output files that will carry final names in a user's folder ("Video DVD.iso",
// or a cue sheet with its bin file) are written first into a hidden scratch
// folder beside them, "<folder>/.<name>.orlenta-part", and moved into place
// once complete. The scratch folder reserves the names: no file, not even an
// empty one, stands under a final name before it is complete. It is locked
// while its owner lives, so that when the process dies the next reservation
// in that folder, or the next start of the program (job_folders.h),
// recognises the leftover and removes it.

#include <memory>
#include <string>
#include <vector>

class OutputReservation {
 public:
  // Names "<base><ext>" for every ext, or "<base>(n)<ext>" with the first n
  // for which none of them exists and no live process holds them. Removes
  // abandoned scratch folders in folder first. Null with error set on failure.
  static std::unique_ptr<OutputReservation> Reserve(const std::string& folder, const std::string& base,
                                                    const std::vector<std::string>& exts, std::string* error);
  ~OutputReservation();  // removes the scratch folder with whatever is left in it
  OutputReservation(const OutputReservation&) = delete;
  OutputReservation& operator=(const OutputReservation&) = delete;

  // The final paths, in the order of exts.
  const std::vector<std::string>& FinalPaths() const { return m_finals; }
  // Where the i-th output is written: the scratch folder, the final file name.
  std::string ScratchPath(std::size_t i) const;
  const std::string& ScratchFolder() const { return m_scratch; }

  // Moves every output from the scratch folder to its final path (the last
  // first, so that a cue sheet appears after its bin file), never replacing a
  // file. False with error set; then none of them is left under a final name.
  bool Commit(std::string* error);

 private:
  OutputReservation() = default;
  std::vector<std::string> m_finals;
  std::string m_scratch;
  int m_lock = -1;  // the scratch folder, opened and locked
};

// Removes the scratch folders in folder whose owner has ended (their lock is
// free); the folders of live reservations stay.
void RemoveAbandonedOutputs(const std::string& folder);
