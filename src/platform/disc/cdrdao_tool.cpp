#include "platform/disc/cdrdao_output.h"
#include "platform/disc/disc_writers.h"

BurnStepResult WriteCueSheet(const std::string& drive, const std::string& cueSheet, const WriteSettings& settings,
                             const BurnLineHandler& onLine, const std::atomic<bool>* stop) {
  // -n: no ten-second pause before writing; raw mode writes Video CD sectors as they are.
  std::vector<std::string> arguments = {"write", "-n", "--device", drive, "--driver", "generic-mmc-raw"};
  if (settings.speed > 0) arguments.insert(arguments.end(), {"--speed", std::to_string(settings.speed)});
  if (settings.simulate) arguments.push_back("--simulate");
  if (!settings.closeDisc) arguments.push_back("--multi");
  if (settings.eject) arguments.push_back("--eject");
  arguments.push_back(cueSheet);
  return RunBurnTool(DiscTool::Cdrdao, arguments, {}, &ParseCdrdaoLine, onLine, stop);
}
