#include "convert/convert_task_list.h"

#include <thread>

#include "convert/converter.h"
#include "formats/output_format.h"
#include "platform/dialogs/message_box.h"
#include "support/exceptions.h"
#include "support/log.h"
#include "support/temporary_files.h"

ConvertFileTask::ConvertFileTask(PingReceiver* receiver, std::string_view inputPath, std::string_view outputFolder,
                                 const char* extension, const EncodingParameters& parameters)
    : Pinger(receiver),
      m_inputPath(inputPath),
      m_outputFolder(outputFolder),
      m_extension(extension != nullptr ? extension : ""),
      m_parameters(parameters) {}

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

void ConvertFileTask::operator()() {
  Log("ConvertFileTask::operator()()");
  m_outputPath = PlannedOutputPath(m_outputFolder, m_inputPath, m_extension);
  RefuseLongFileName(m_outputPath);
  Log("ScopedPing scope(*this, begin_converting, end_converting);");
  ScopedPing scope(*this, begin_converting, end_converting);
  MakeUniquePath(m_outputPath);
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
    const EncodingParameters parameters = format.GetEncodingParameters();
    m_tasks.emplace_back(receiver, input, outputFolder, format.GetFileExt(), parameters);
  }
}

void ConvertTaskList::SetVideoBitRate(std::int32_t bitsPerSecond) {
  for (ConvertFileTask& task : m_tasks) task.SetVideoBitRate(bitsPerSecond);
}

ConvertTaskList::ConvertTaskList(const ConvertTaskList& description)
    : Pinger(description), m_tasks(description.m_tasks) {
  std::thread([this] { Run(); }).detach();
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
  for (ConvertFileTask& task : m_tasks) {
    if (StopFlag::IsSet()) return;
    try {
      task();
    } catch (const stop_by_user_exception&) {
      return;
    } catch (const peravel_exception& error) {
      Log("Conversion task failed: %s", error.what());
      MessageBox(nullptr, error.DisplayText(), kApplicationTitle, MB_OK);
    } catch (const std::exception& error) {
      Log("Conversion task failed: %s", error.what());
      MessageBox(nullptr, "Unknown Error", kApplicationTitle, MB_OK);
    } catch (...) {
      Log("Conversion task failed");
      MessageBox(nullptr, "Unknown Error", kApplicationTitle, MB_OK);
    }
  }
}
