#include "convert/convert_task_list.h"

#include <thread>

#include "convert/converter.h"
#include "convert/output_names.h"
#include "convert/parallel_jobs.h"
#include "convert/parallel_tasks.h"
#include "formats/output_format.h"
#include "support/crash_handler.h"
#include "support/log.h"
#include "support/processor_count.h"
#include "support/temporary_files.h"

ConvertFileTask::ConvertFileTask(PingReceiver* receiver, std::string_view inputPath, std::string_view outputFolder,
                                 const char* extension, const EncodingParameters& parameters, std::size_t index)
    : Pinger(receiver),
      m_inputPath(inputPath),
      m_outputFolder(outputFolder),
      m_extension(extension != nullptr ? extension : ""),
      m_parameters(parameters),
      m_nIndex(index) {}

ConvertFileTask ConvertFileTask::RunningCopy(std::size_t index, PingReceiver* receiver,
                                             OutputNameRegister* names) const {
  ConvertFileTask copy(*this);
  copy.Pinger::operator=(Pinger(receiver));
  copy.m_nIndex = index;
  copy.m_pNames = names;
  return copy;
}

PathBuffer ConvertFileTask::PlannedOutputPath(const PathBuffer& outputFolder, const PathBuffer& inputPath,
                                              const char* extension) {
  PathBuffer output = outputFolder;
  output.Append(inputPath.FileName());
  output.RemoveExtension();
  return PathBuffer(output.str() + "_new" + (extension != nullptr ? extension : ""));
}

void ConvertFileTask::SetVideoBitRate(std::int32_t bitsPerSecond) {
  m_parameters.qscale = 0;
  m_parameters.video_bitrate = bitsPerSecond;
}

void ConvertFileTask::SetEncoderThreads(std::int32_t threads) {
  m_parameters.encoder_threads = threads;
}

void ConvertFileTask::operator()() {
  Log("ConvertFileTask::operator()()");
  m_outputPath = PlannedOutputPath(m_outputFolder, m_inputPath, m_extension);
  RefuseLongFileName(m_outputPath);
  Log("ScopedPing scope(*this, begin_converting, end_converting);");
  ScopedPing scope(*this, begin_converting, end_converting);
  if (m_pNames != nullptr) {
    m_pNames->Claim(m_nIndex, m_outputPath);
  } else {
    MakeUniquePath(m_outputPath);
  }
  RefuseLongFileName(m_outputPath);  // "(n)" may have made it too long
  if (m_parameters.target != nullptr) CTemporaryFiles::AddTempFile(m_outputPath);
  ExternalConverter converter(m_inputPath, m_outputPath, m_parameters, Receiver());
  converter.Convert();
}

ConvertTaskList::ConvertTaskList(const std::vector<PathBuffer>& inputPaths, std::string_view outputFolder,
                                 const OutputFormat& format, PingReceiver* receiver)
    : Pinger(receiver) {
  m_tasks.reserve(inputPaths.size());
  for (const PathBuffer& input : inputPaths) {
    EncodingParameters parameters = format.GetEncodingParameters();
    parameters.tuned_for_target = true;
    m_tasks.emplace_back(receiver, input, outputFolder, format.GetFileExt(), parameters, m_tasks.size());
  }
}

void ConvertTaskList::SetVideoBitRate(std::int32_t bitsPerSecond) {
  for (ConvertFileTask& task : m_tasks) task.SetVideoBitRate(bitsPerSecond);
}

ConvertTaskList::ConvertTaskList(const ConvertTaskList& description)
    : Pinger(description), m_tasks(description.m_tasks), m_nParallelJobs(description.m_nParallelJobs) {
  ThreadWithCrashStack([this] { Run(); }).detach();
}

void ConvertTaskList::Start(const ConvertTaskList& description) {
  new ConvertTaskList(description);
}

void ConvertTaskList::Run() {
  RunTasks();
  try {
    Ping(end_of_list);
  } catch (const std::exception& error) {
    Log("The end of the conversion list could not be handled: %s", error.what());
  }
  delete this;
}

void ConvertTaskList::RunTasks() {
  const int jobs = ParallelJobsForMachine(m_nParallelJobs, m_tasks.size());
  const int threads = EncoderThreads(jobs, UsableProcessorCount());
  for (ConvertFileTask& task : m_tasks) task.SetEncoderThreads(threads);
  Log("ConvertTaskList - %zu files, %d at a time", m_tasks.size(), jobs);
  RunTasksSideBySide(m_tasks, Receiver(), jobs);
}
