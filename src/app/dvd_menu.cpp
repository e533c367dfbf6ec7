// CCastrel1Dlg: the DVD's title menu - its description for the image builder
// and its page, encoded through the video library's writer.

#include <fstream>

#include "app/main_window_core.h"
#include "disc/disc_prompts.h"
#include "disc/dvd_menu_page.h"
#include "platform/disc/authoring/menu_description.h"
#include "platform/video/video_file.h"
#include "support/exceptions.h"
#include "support/log.h"

namespace {

constexpr double kNtscFrameRate = 29.97;
constexpr double kPalFrameRate = 25.0;
constexpr int kMenuVideoKbps = 5000;
constexpr int kMenuPictureRepeats = 3;
constexpr int kMpegContainer = 2;

}  // namespace

std::string CCastrel1Dlg::ConvertedFile(std::size_t i) const {
  const std::string& stored = m_arrOutputFiles.at(i);
  // The ffmpeg engine stores its outputs without their extension.
  if (m_bUseFfmpeg && !stored.ends_with(".mpg")) return stored + ".mpg";
  return stored;
}

std::vector<std::string> CCastrel1Dlg::DvdTitleSources() {
  std::vector<std::string> sources;
  // The inputs the job accepted pair with its converted files one by one;
  // listed entries it refused (missing, not a video) have none.
  if (!m_arrConvertInputs.empty() && m_arrConvertInputs.size() == m_arrOutputFiles.size()) {
    for (const PathBuffer& input : m_arrConvertInputs) sources.push_back(input.str());
    return sources;
  }
  for (int i = 0; i < m_pView->ListCount(); ++i) sources.push_back(m_pView->ListText(i));
  return sources;
}

std::string CCastrel1Dlg::MenuTitleFor(const std::string& path) const {
  const auto given = m_mapTitleTexts.find(path);
  return given != m_mapTitleTexts.end() ? given->second : MenuTitleOf(path);
}

std::vector<std::string> CCastrel1Dlg::MenuTitles() {
  std::vector<std::string> titles;
  for (const std::string& source : DvdTitleSources()) titles.push_back(MenuTitleFor(source));
  return titles;
}

void CCastrel1Dlg::SetTitleText(int index, const std::string& text) {
  if (index < 0 || index >= m_pView->ListCount()) return;
  const std::string path = m_pView->ListText(index);
  // A line break would break the menu's picture and its description.
  std::string line = text.substr(0, text.find_first_of("\r\n"));
  while (!line.empty() && line.back() == ' ') line.pop_back();
  if (line.empty() || line == MenuTitleOf(path)) {
    m_mapTitleTexts.erase(path);
  } else {
    m_mapTitleTexts[path] = line;
  }
  Log("Menu title %d: %s", index + 1, MenuTitleFor(path).c_str());
  m_pView->SetListTitle(index, MenuTitleFor(path));
}

void CCastrel1Dlg::OnEditTitle() {
  Log("CCastrel1Dlg::OnEditTitle");
  const int selected = m_pView->ListSelection();
  if (selected < 0 || m_bBusy) return;
  const std::string path = m_pView->ListText(selected);
  const std::size_t slash = path.find_last_of('/');
  const DialogReply<TitleTextRequest> reply = AskDialog(
      Owner(), TitleTextRequest{slash == std::string::npos ? path : path.substr(slash + 1), MenuTitleFor(path)});
  if (reply.code == IDOK && reply.answer) SetTitleText(selected, reply.answer->text);
}

int CCastrel1Dlg::PrepareMenu(const std::string& folder) {
  Log("CCastrel1Dlg::PrepareMenu");
  const std::string descriptionPath = folder + "foxdvdmenu.ini";
  std::ofstream description(descriptionPath, std::ios::binary | std::ios::trunc);
  if (!description) return 0;

  const std::vector<std::string> sources = DvdTitleSources();
  if (sources.empty() || m_arrOutputFiles.size() < sources.size()) {
    throw peravel_exception("The DVD menu has " + std::to_string(sources.size()) + " titles but only " +
                            std::to_string(m_arrOutputFiles.size()) + " converted files");
  }
  if (m_bUseFfmpeg && m_formats.size() > static_cast<std::size_t>(kFormatDvd)) {
    m_nDVDType = m_formats[kFormatDvd]->video_codec_id;
  }
  const VideoStandard standard = m_nDVDType == 0 ? VideoStandard::Ntsc : VideoStandard::Pal;
  const int height = FrameHeight(standard);
  const double frameRate = standard == VideoStandard::Ntsc ? kNtscFrameRate : kPalFrameRate;

  VideoFile& writer = *m_pIVideoFileOut;
  writer.SetFrameFormat(kMenuPageWidth, height, 1.0);
  writer.SetMPEGVideo(2, kMenuVideoKbps, kMenuPageWidth, height, frameRate);
  const std::string menuVideo = folder + "foxdvdmenu.mpg";
  // The menu is a silent still; the writer's sound setting is the library
  // engine's again afterwards.
  const bool audioEnabled = writer.Settings().audioEnabled;
  writer.SetAudioEnabled(false);
  struct RestoreAudio {
    VideoFile& writer;
    bool enabled;
    ~RestoreAudio() { writer.SetAudioEnabled(enabled); }
  } restoreAudio{writer, audioEnabled};
  writer.CreateFile(menuVideo, kMpegContainer);

  const std::vector<std::string> titles = MenuTitles();
  const MenuPage page = DrawMenuPage(titles, standard);

  MenuDescription menu;
  menu.menuVideo = menuVideo;
  for (std::size_t i = 0; i < titles.size(); ++i) {
    const MenuItemPlace& place = page.places[i];
    MenuTitle title;
    title.left = place.left;
    title.top = place.selectionTop;
    title.right = place.left + page.columnWidth;
    title.bottom = place.selectionBottom - 1;
    title.lineWidth = 1;
    title.file = ConvertedFile(i);
    menu.titles.push_back(title);
  }
  std::string error;
  const auto text = MenuDescriptionText(menu, &error);
  if (!text) throw peravel_exception("DVD menu: " + error);
  description << *text;
  description.close();
  if (!description) throw peravel_exception("Cannot write " + descriptionPath);

  const VideoFrame frame = MenuFrame(page.picture);
  for (int i = 0; i < kMenuPictureRepeats; ++i) writer.WriteVideo(frame);
  writer.CloseFile();
  return 1;
}
