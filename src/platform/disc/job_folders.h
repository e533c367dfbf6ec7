#pragma once
// The work folders of disc jobs, and what a job that never ended leaves.
//
// A disc job converts, authors and builds in folders of its own,
// "<parent>/orlenta-job-XXXXXX", locked while the job holds them (as the image
// writer's scratch folders are, output_reservation.h): whoever finds one
// unlocked knows that its job is gone.
//
// A process keeps one record of the folders its jobs work in (the parents of
// their job folders and the folders the image writer writes into) in
// "<user data folder>/Orlenta/jobs/", locked for the process's life and
// removed when it exits. A process that is killed cannot clean up after its
// job; the next start reads the records whose lock is free and removes the
// abandoned job folders and image scratch folders in the folders they name.
// What a live process holds is never touched, nor anything not named by the
// program's own patterns.

#include <memory>
#include <string>
#include <vector>

class JobFolder {
 public:
  // Makes and locks a fresh job folder in parent (an existing folder). Null
  // with error set on failure.
  static std::unique_ptr<JobFolder> Create(const std::string& parent, std::string* error);
  ~JobFolder();  // removes the folder with whatever is left in it
  JobFolder(const JobFolder&) = delete;
  JobFolder& operator=(const JobFolder&) = delete;

  // The folder, ending in '/'.
  const std::string& Path() const { return m_path; }

 private:
  JobFolder() = default;
  std::string m_path;
  int m_lock = -1;  // the folder, opened and locked
};

// Removes the job folders in parent whose job has ended (their lock is free).
void RemoveAbandonedJobFolders(const std::string& parent);

// Empties a work folder that is the program's own (the CD job's "tempVCD"):
// everything in it goes except the job folders of live jobs.
void EmptyWorkFolder(const std::string& folder);

// Adds folder to this process's record, made on the first call.
void RecordWorkFolder(const std::string& folder);

// Adds a folder made for a job to this process's record: it goes when it is
// empty once the job has ended, and the next start removes it (if empty)
// when this process was killed first.
void RecordMadeFolder(const std::string& folder);

// Removes each of folders that is empty, deepest first; a folder with
// anything in it (another job's folder) stays. Returns those that stay.
std::vector<std::string> RemoveEmptyFolders(std::vector<std::string> folders);

// For every record whose process has ended: removes the abandoned job folders
// and image scratch folders in the folders it names, then the folders made
// for its jobs that are empty now, then the record. The
// temporary folder, where most job folders are, is looked at in any case.
// Runs when the program starts.
void RemoveLeftoversOfEndedJobs();
