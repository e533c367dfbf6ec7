#include "platform/disc/tools/disc_writers.h"
#include "platform/disc/tools/genisoimage_output.h"

BurnStepResult MakeDvdVideoImage(const std::string& root, const std::string& volumeId, const std::string& publisher,
                                 const std::string& isoPath, const BurnLineHandler& onLine,
                                 const std::atomic<bool>* stop) {
  std::vector<std::string> arguments = {"-input-charset", "utf-8", "-dvd-video", "-V", volumeId};
  if (!publisher.empty()) arguments.insert(arguments.end(), {"-publisher", publisher});
  arguments.insert(arguments.end(), {"-o", isoPath, root});
  return RunBurnTool(DiscTool::Genisoimage, arguments, {}, &ParseGenisoimageLine, onLine, stop);
}
