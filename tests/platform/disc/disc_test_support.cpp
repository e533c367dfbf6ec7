#include "platform/disc/disc_test_support.h"

#include <gtest/gtest.h>
#include <sys/mount.h>

#include <QXmlStreamReader>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <stdexcept>

#include "common/test_kit.h"
#include "platform/disc/authoring/dvd_image_builder.h"
#include "platform/disc/authoring/menu_description.h"
#include "platform/process/child_process.h"
#include "platform/process/find_program.h"

namespace disctest {

const std::string kAwkwardName = "/films/Tom & Jerry's \"<best>\" — été\tnew\nline.mpg";

std::vector<std::string> XmlAttributeValues(const std::string& xml, const char* element, const char* attribute) {
  std::vector<std::string> values;
  QXmlStreamReader reader(QByteArray::fromStdString(xml));
  while (!reader.atEnd()) {
    if (reader.readNext() == QXmlStreamReader::StartElement && reader.name() == QLatin1String(element)) {
      values.push_back(reader.attributes().value(QLatin1String(attribute)).toString().toStdString());
    }
  }
  EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
  return values;
}

std::string MakeDvdTitle(const std::string& path, const std::string& target, double seconds) {
  testkit::ClipOptions options;
  options.seconds = seconds;
  options.outputArguments = {"-target", target};
  return testkit::MakeClip(path, options);
}

std::string MakeVideoCdTrack(const std::string& path, const std::string& target, double seconds) {
  testkit::ClipOptions options;
  options.seconds = seconds;
  options.outputArguments = {"-target", target};
  return testkit::MakeClip(path, options);
}

std::string BuildDvdFolder(const std::string& scratch, const std::string& work, const std::vector<double>& seconds,
                           const std::string& target) {
  std::vector<std::string> titles;
  for (std::size_t i = 0; i < seconds.size(); ++i) {
    titles.push_back(MakeDvdTitle(scratch + "/title " + std::to_string(i + 1) + ".mpg", target, seconds[i]));
  }
  DVDImageBuildHandle builder = DVDImageBuild_Create();
  bool ready = false;
  if (titles.size() == 1) {
    ready = DVDImageBuild_SetMenuMPEGFilename(builder, titles[0].c_str()) != 0;
  } else {
    const int height = target == "ntsc-dvd" ? 480 : 576;
    const std::string ini = scratch + "/foxdvdmenu.ini";
    WriteMenuDescription(ini, MakeMenuBackground(scratch + "/foxdvdmenu.mpg", height), titles, height);
    ready = DVDImageBuild_LoadINI(builder, ini.c_str()) != 0;
  }
  ready = ready && DVDImageBuild_SetOutputFolder(builder, work.c_str()) != 0 &&
          DVDImageBuild_CreateMenuImages(builder) != 0 && DVDImageBuild_BuildDVD(builder) != 0;
  const std::string error = DVDImageBuild_GetLastError(builder);
  DVDImageBuild_Destory(builder);
  if (!ready) throw std::runtime_error("could not build a DVD folder: " + error);
  return work + "/DVD";
}

std::string MakeMenuBackground(const std::string& path, int height) {
  const ProcessResult result = RunProcess({FindProgram("ffmpeg"), "-hide_banner", "-nostdin", "-y", "-f", "lavfi", "-i",
                                           "color=c=navy:size=720x" + std::to_string(height) + ":rate=25:duration=0.12",
                                           "-c:v", "mpeg2video", "-b:v", "5000k", "-f", "mpeg", path});
  if (!result.Succeeded()) throw std::runtime_error("ffmpeg could not make " + path + ":\n" + result.output);
  return path;
}

void WriteMenuDescription(const std::string& path, const std::string& menuVideo, const std::vector<std::string>& titles,
                          int height) {
  const int n = static_cast<int>(titles.size());
  const int row = (height - 50) / n;
  const int width = 300;
  const int left = (720 - width) / 2;
  MenuDescription description;
  description.menuVideo = menuVideo;
  for (int i = 0; i < n; ++i) {
    const int top = 50 + i * row;
    const int middle = (2 * top + row) / 2;
    const int selTop = row < 50 ? top : middle - 25;
    const int selBottom = row < 50 ? top + row : middle + 25;
    MenuTitle title;
    title.left = left;
    title.top = selTop;
    title.right = left + width;
    title.bottom = selBottom - 1;
    title.file = titles[static_cast<std::size_t>(i)];
    description.titles.push_back(title);
  }
  std::string error;
  const auto text = MenuDescriptionText(description, &error);
  if (!text) throw std::runtime_error("cannot write a menu description: " + error);
  testkit::WriteFile(path, *text);
}

std::vector<double> LsdvdTitleLengths(const std::string& dvd) {
  const ProcessResult result = RunProcess({FindProgram("lsdvd"), dvd});
  std::vector<double> lengths;
  const std::regex title(R"(Title: (\d+), Length: (\d+):(\d+):(\d+)\.(\d+))");
  for (std::sregex_iterator it(result.output.begin(), result.output.end(), title), end; it != end; ++it) {
    const auto& m = *it;
    lengths.push_back(std::stoi(m[2]) * 3600 + std::stoi(m[3]) * 60 + std::stoi(m[4]) + std::stoi(m[5]) / 1000.0);
  }
  return lengths;
}

AuthoredMenu ReadBackMenu(const std::string& dvdFolder, const std::string& scratchFolder) {
  ChildProcess::Options options;
  options.workingDirectory = scratchFolder;
  const ProcessResult result = RunProcess({FindProgram("dvdunauthor"), dvdFolder}, options);
  const std::string xml = testkit::ReadFile(scratchFolder + "/dvdauthor.xml");
  AuthoredMenu menu;
  const auto vmgmEnd = xml.find("</vmgm>");
  const std::string vmgm = xml.substr(0, vmgmEnd);
  const std::regex button(R"(<button name="[^"]*">\s*([^<]*?)\s*</button>)");
  for (std::sregex_iterator it(vmgm.begin(), vmgm.end(), button), end; it != end; ++it) {
    ++menu.buttons;
    menu.buttonCommands.push_back((*it)[1]);
  }
  const std::string titlesets = vmgmEnd == std::string::npos ? std::string() : xml.substr(vmgmEnd);
  for (auto at = titlesets.find("call vmgm menu"); at != std::string::npos;
       at = titlesets.find("call vmgm menu", at + 1)) {
    ++menu.titlesReturningToMenu;
  }
  return menu;
}

SmallFileSystem::SmallFileSystem(const std::string& folder, const std::string& size) : m_folder(folder) {
  std::filesystem::create_directories(folder);
  const std::string options = "size=" + size + ",mode=0755";
  if (::mount("orlenta-test", folder.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) == 0) {
    m_mounted = true;
  } else {
    m_why = "cannot mount a small tmpfs on " + folder + " to fill it: " + std::strerror(errno);
  }
}

SmallFileSystem::~SmallFileSystem() {
  if (m_mounted) ::umount2(m_folder.c_str(), MNT_DETACH);
}

std::vector<std::string> SmallFileSystem::Entries() const {
  std::vector<std::string> entries;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(m_folder)) {
    entries.push_back(entry.path().lexically_relative(m_folder).string());
  }
  return entries;
}

}  // namespace disctest
