#include "ui/auxiliary_dialogs.h"

#include "platform/dialogs/auxiliary_requests.h"
#include "platform/dialogs/widgets/qt_responder.h"
#include "ui/about_dialog.h"
#include "ui/find_codec_dialog.h"
#include "ui/mov_warning_dialog.h"
#include "ui/mpeg4_dialog.h"
#include "ui/success_dialog.h"

namespace {

template <typename Request>
DialogReply<Request> Ended(int code) {
  return DialogReply<Request>{code, ButtonAnswer{}};
}

}  // namespace

void RegisterAuxiliaryDialogs(QtResponder& responder) {
  responder.Register<SuccessDialogRequest>([](QWidget* owner, const SuccessDialogRequest& request) {
    CSuccessDlg dialog(request.filePath, owner);
    return Ended<SuccessDialogRequest>(dialog.exec());
  });
  responder.Register<FindCodecRequest>([](QWidget* owner, const FindCodecRequest& request) {
    CFindCodec dialog(owner);
    dialog.m_strMessage = request.message;
    dialog.m_strFourCC = request.fourcc;
    return Ended<FindCodecRequest>(dialog.exec());
  });
  responder.Register<MovWarningRequest>([](QWidget* owner, const MovWarningRequest&) {
    CMovWarningDialog dialog(owner);
    return Ended<MovWarningRequest>(dialog.exec());
  });
  responder.Register<Mpeg4HelpRequest>([](QWidget* owner, const Mpeg4HelpRequest&) {
    CMPEG4Dlg dialog(owner);
    return Ended<Mpeg4HelpRequest>(dialog.exec());
  });
  responder.Register<AboutRequest>([](QWidget* owner, const AboutRequest&) {
    CAboutDlg dialog(owner);
    return Ended<AboutRequest>(dialog.exec());
  });
}
