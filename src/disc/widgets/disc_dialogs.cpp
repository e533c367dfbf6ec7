#include "disc/widgets/disc_dialogs.h"

#include <QInputDialog>

#include "disc/disc_prompts.h"
#include "disc/widgets/cd_count_dialog.h"
#include "disc/widgets/erase_disc_dialog.h"
#include "disc/widgets/erase_dvd_dialog.h"
#include "platform/dialogs/widgets/qt_responder.h"
#include "support/user_text.h"

void RegisterDiscDialogs(QtResponder& responder) {
  responder.Register<CDCountDlgRequest>([](QWidget* owner, const CDCountDlgRequest& request) {
    CCDCountDlg dialog(request.text, request.erase, owner);
    // Only Continue continues; anything else closing the prompt cancels.
    return DialogReply<CDCountDlgRequest>{dialog.exec() == IDOK ? IDOK : IDCANCEL, ButtonAnswer{}};
  });
  responder.Register<EraseDVDDlgRequest>([](QWidget* owner, const EraseDVDDlgRequest& request) {
    CEraseDVDDlg dialog(request.erase, owner);
    return DialogReply<EraseDVDDlgRequest>{dialog.exec() == IDOK ? IDOK : IDCANCEL, ButtonAnswer{}};
  });
  responder.Register<TitleTextRequest>([](QWidget* owner, const TitleTextRequest& request) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(owner, UserText::tr("Title on the DVD menu"),
                              UserText::Fill(UserText::tr("The menu's text for %1:"), {request.fileName}),
                              QLineEdit::Normal, QString::fromStdString(request.text), &ok);
    DialogReply<TitleTextRequest> reply{ok ? IDOK : IDCANCEL, std::nullopt};
    if (ok) reply.answer = TitleTextRequest::Answer{text.toStdString()};
    return reply;
  });
  responder.Register<EraseDiscRequest>([](QWidget* owner, const EraseDiscRequest& request) {
    EraseDiscDialog dialog(request, owner);
    const int code = dialog.exec();
    DialogReply<EraseDiscRequest> reply{code == IDOK ? IDOK : IDCANCEL, std::nullopt};
    if (reply.code == IDOK) reply.answer = dialog.Answer();
    return reply;
  });
}
