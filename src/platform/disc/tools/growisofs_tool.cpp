#include "platform/disc/tools/disc_writers.h"
#include "platform/disc/tools/growisofs_output.h"

BurnStepResult BurnDvdVideo(const std::string& drive, const std::string& root, const std::string& volumeId,
                            const std::string& publisher, const WriteSettings& settings, const BurnLineHandler& onLine,
                            const std::atomic<bool>* stop) {
  std::vector<std::string> arguments;
  // -dvd-compat closes the disc, which DVD-Video players expect.
  if (settings.closeDisc) arguments.push_back("-dvd-compat");
  if (settings.speed > 0) arguments.push_back("-speed=" + std::to_string(settings.speed));
  if (settings.simulate) arguments.push_back("-dry-run");
  arguments.insert(arguments.end(), {"-Z", drive, "-input-charset", "utf-8", "-V", volumeId});
  if (!publisher.empty()) arguments.insert(arguments.end(), {"-publisher", publisher});
  arguments.insert(arguments.end(), {"-dvd-video", root});
  return RunBurnTool(DiscTool::Growisofs, arguments, {}, &ParseGrowisofsLine, onLine, stop);
}
