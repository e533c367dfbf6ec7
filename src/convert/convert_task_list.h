#pragma once
// A list of conversions run one after another on a thread of its own. The
// caller builds a description and starts a copy of it on the heap; the copy
// owns its thread, pings 0 to the receiver when the list is done, and then
// deletes itself.

#include <string>
#include <vector>

#include "convert/ping.h"
#include "formats/encoding_parameters.h"
#include "support/path_buffer.h"

class OutputFormat;

class ConvertFileTask : public Pinger {
 public:
  ConvertFileTask(PingReceiver* receiver, std::string_view inputPath, std::string_view outputFolder,
                  const char* extension, const EncodingParameters& parameters);
  ConvertFileTask(const ConvertFileTask&) = default;

  // Converts the file: names the output, registers disc outputs as temporary
  // files and runs ffmpeg. Pings begin_converting and end_converting around it.
  void operator()();

  const PathBuffer& OutputPath() const noexcept { return m_outputPath; }
  const EncodingParameters& Parameters() const noexcept { return m_parameters; }
  // Encodes the video at an average bit rate (bit/s) instead of a fixed quantiser.
  void SetVideoBitRate(std::int32_t bitsPerSecond);

  // <folder>/<input name without its last extension>_new<extension>
  static PathBuffer PlannedOutputPath(const PathBuffer& outputFolder, const PathBuffer& inputPath,
                                      const char* extension);

 private:
  PathBuffer m_inputPath;
  PathBuffer m_outputPath;
  PathBuffer m_outputFolder;
  const char* m_extension;
  EncodingParameters m_parameters;
};

class ConvertTaskList : public Pinger {
 public:
  // The description: one task per input, each with its own parameters from
  // the format.
  ConvertTaskList(const std::vector<PathBuffer>& inputPaths, std::string_view outputFolder, const OutputFormat& format,
                  PingReceiver* receiver);

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
};
