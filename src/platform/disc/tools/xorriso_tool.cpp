#include "platform/disc/tools/disc_writers.h"
#include "platform/disc/tools/tool_run.h"

XorrisoToc QueryMedium(const std::string& xorrisoDrive) {
  const DiscToolInfo xorriso = GetDiscTool(DiscTool::Xorriso);
  if (!xorriso.Found()) {
    XorrisoToc toc;
    toc.failure = MissingToolText(DiscTool::Xorriso);
    return toc;
  }
  std::vector<std::string> lines;
  RunTool({xorriso.path, "-outdev", xorrisoDrive, "-toc"}, {}, [&](const std::string& line) { lines.push_back(line); });
  return SummarizeXorrisoToc(lines);
}

BurnStepResult BlankMedium(const std::string& xorrisoDrive, bool full, const BurnLineHandler& onLine,
                           const std::atomic<bool>* stop) {
  return RunBurnTool(DiscTool::Xorriso, {"-outdev", xorrisoDrive, "-blank", full ? "all" : "as_needed"}, {},
                     &ParseXorrisoLine, onLine, stop);
}

BurnStepResult WriteImageFile(const std::string& xorrisoDrive, const std::string& imageFile,
                              const WriteSettings& settings, const BurnLineHandler& onLine,
                              const std::atomic<bool>* stop) {
  std::vector<std::string> arguments = {"-as", "cdrecord", "-v", "dev=" + xorrisoDrive};
  if (settings.speed > 0) arguments.push_back("speed=" + std::to_string(settings.speed));
  if (settings.simulate) arguments.push_back("-dummy");
  if (!settings.closeDisc) arguments.push_back("-multi");
  if (settings.eject) arguments.push_back("-eject");
  arguments.push_back(imageFile);
  return RunBurnTool(DiscTool::Xorriso, arguments, {}, &ParseXorrisoLine, onLine, stop);
}
