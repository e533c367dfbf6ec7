#pragma once
// A list of conversions run on a thread of its own, several files side by side
// when the machine has the processors for it (parallel_jobs.h). The caller
// builds a description and starts a copy of it on the heap; the copy owns its
// threads, pings 0 to the receiver when every file has ended, and then deletes
// itself.

#include <string>
#include <vector>

#include "convert/ping.h"
#include "formats/encoding_parameters.h"
#include "support/path_buffer.h"

class OutputFormat;
class OutputNameRegister;

class ConvertFileTask : public Pinger {
 public:
  ConvertFileTask(PingReceiver* receiver, std::string_view inputPath, std::string_view outputFolder,
                  const char* extension, const EncodingParameters& parameters, std::size_t index = 0);
  ConvertFileTask(const ConvertFileTask&) = default;
  ConvertFileTask& operator=(const ConvertFileTask&) = default;

  // The copy that runs in a started list: file index of the list, its pings
  // to receiver, its output name from names (shared by the list's files).
  ConvertFileTask RunningCopy(std::size_t index, PingReceiver* receiver, OutputNameRegister* names) const;

  // Converts the file: names the output, registers disc outputs as temporary
  // files and runs ffmpeg. Pings begin_converting and end_converting around it.
  void operator()();

  // The file's position in its list, from 0: files that convert side by side
  // end in any order, and a receiver tells them apart by it.
  std::size_t Index() const noexcept { return m_nIndex; }
  const PathBuffer& OutputPath() const noexcept { return m_outputPath; }
  const EncodingParameters& Parameters() const noexcept { return m_parameters; }
  // Encodes the video at an average bit rate (bit/s) instead of a fixed quantiser.
  void SetVideoBitRate(std::int32_t bitsPerSecond);
  // The encoder's threads (EncoderThreads in parallel_jobs.h).
  void SetEncoderThreads(std::int32_t threads);

  // <folder>/<input name without its last extension>_new<extension>
  static PathBuffer PlannedOutputPath(const PathBuffer& outputFolder, const PathBuffer& inputPath,
                                      const char* extension);

 private:
  PathBuffer m_inputPath;
  PathBuffer m_outputPath;
  PathBuffer m_outputFolder;
  const char* m_extension;
  EncodingParameters m_parameters;
  std::size_t m_nIndex;
  OutputNameRegister* m_pNames = nullptr;  // none: the name is made unique on its own
};

class ConvertTaskList : public Pinger {
 public:
  // The description: one task per input, each with its own parameters from
  // the format.
  ConvertTaskList(const std::vector<PathBuffer>& inputPaths, std::string_view outputFolder, const OutputFormat& format,
                  PingReceiver* receiver);

  // How many files convert at once: 0 (the default) chooses from the
  // machine's processors, more forces that many; never more than the files.
  void SetParallelJobs(int jobs) noexcept { m_nParallelJobs = jobs; }
  int ParallelJobs() const noexcept { return m_nParallelJobs; }

  // Starts a running copy of description on its own thread. The copy deletes
  // itself after its final ping has been handled.
  static void Start(const ConvertTaskList& description);

  const std::vector<ConvertFileTask>& Tasks() const noexcept { return m_tasks; }
  // Every task encodes its video at this average bit rate (bit/s).
  void SetVideoBitRate(std::int32_t bitsPerSecond);

 private:
  // Copying starts the thread: only Start makes copies.
  ConvertTaskList(const ConvertTaskList& description);

  void Run();
  void RunTasks();

  std::vector<ConvertFileTask> m_tasks;
  int m_nParallelJobs = 0;
};
