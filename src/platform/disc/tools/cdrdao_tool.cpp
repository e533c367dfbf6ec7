#include <filesystem>

#include "platform/disc/tools/cdrdao_output.h"
#include "platform/disc/tools/disc_writers.h"

BurnStepResult WriteCueSheet(const std::string& drive, const std::string& cueSheet, const WriteSettings& settings,
                             const BurnLineHandler& onLine, const std::atomic<bool>* stop) {
  // -n: no ten-second pause before writing; raw mode writes Video CD sectors as they are.
  std::vector<std::string> arguments = {"write", "-n", "--device", drive, "--driver", "generic-mmc-raw"};
  if (settings.speed > 0) arguments.insert(arguments.end(), {"--speed", std::to_string(settings.speed)});
  if (settings.simulate) arguments.push_back("--simulate");
  if (!settings.closeDisc) arguments.push_back("--multi");
  if (settings.eject) arguments.push_back("--eject");
  arguments.push_back(cueSheet);
  // cdrdao opens the bin file a cue sheet names from its current folder.
  ChildProcess::Options options;
  options.workingDirectory = std::filesystem::path(cueSheet).parent_path().string();
  return RunBurnTool(DiscTool::Cdrdao, arguments, options, &ParseCdrdaoLine, onLine, stop);
}
