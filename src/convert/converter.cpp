#include "convert/converter.h"

#include <atomic>

#include "convert/conversion_fallback.h"
#include "convert/ffmpeg_arguments.h"
#include "convert/ffmpeg_process.h"
#include "platform/dialogs/message_box.h"
#include "support/log.h"

namespace {
std::atomic<ConversionFallback*> g_fallback{nullptr};
}

void SetConversionFallback(ConversionFallback* fallback) {
  g_fallback.store(fallback);
}

ConversionFallback* GetConversionFallback() {
  return g_fallback.load();
}

Converter::Converter(std::string_view inputPath, std::string_view outputPath, const EncodingParameters& parameters,
                     PingReceiver* receiver)
    : ProgressPinger(receiver), m_inputPath(inputPath), m_outputPath(outputPath), m_parameters(parameters) {}

ExternalConverter::ExternalConverter(std::string_view inputPath, std::string_view outputPath,
                                     const EncodingParameters& parameters, PingReceiver* receiver)
    : Converter(inputPath, outputPath, parameters, receiver) {
  Log("ExternalConverter constructor");
  m_dDuration = ProbeDurationSeconds(m_inputPath.c_str());
}

std::string ExternalConverter::GetCommandLine() const {
  Log("ExternalConverter::GetCommandLine");
  return FfmpegArguments(m_inputPath.str(), m_outputPath.str(), m_parameters).Text();
}

std::vector<std::string> ExternalConverter::GetArgumentVector() const {
  return FfmpegArguments(m_inputPath.str(), m_outputPath.str(), m_parameters).Vector();
}

void ExternalConverter::Convert() {
  Log("ExternalConverter::Convert");
  FfmpegProcess process(GetCommandLine(), GetArgumentVector(), Receiver(), m_dDuration);
  Log("ffmpeg_process.Start();");
  process.Start();
  if (process.Succeeded()) return;

  Log("Conversion failed! Error #12: Conversion problem");
  MessageBox(nullptr, "Error #12: Conversion problem", kApplicationTitle, MB_OK);
  if (ConversionFallback* fallback = GetConversionFallback()) {
    fallback->FFMpegFailed();
  } else {
    Log("No fallback conversion is available");
  }
}
