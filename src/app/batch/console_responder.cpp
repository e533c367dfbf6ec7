#include "app/batch/console_responder.h"

#include "app/batch/console_progress.h"
#include "platform/dialogs/auxiliary_requests.h"
#include "platform/dialogs/file_choosers.h"
#include "platform/disc/burning/erase_request.h"
#include "support/log.h"

namespace {

// The buttons of a box that go on and that stop, by its type.
std::pair<int, int> QuestionButtons(unsigned flags) {
  switch (flags & MB_TYPEMASK) {
    case MB_OKCANCEL:
      return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE:
      return {IDRETRY, IDABORT};
    case MB_YESNOCANCEL:
      return {IDYES, IDCANCEL};
    case MB_YESNO:
      return {IDYES, IDNO};
    case MB_RETRYCANCEL:
      return {IDRETRY, IDCANCEL};
    default:
      return {IDOK, IDOK};
  }
}

DialogResult ShowDialogAnswer(int code) {
  return DialogResult{code, {}};
}

bool IsError(unsigned flags) {
  const unsigned icon = flags & MB_ICONMASK;
  return icon == MB_ICONERROR || icon == MB_ICONWARNING;
}

}  // namespace

ConsoleResponder::ConsoleResponder(ConsoleProgress& out, bool answerYes) : m_out(out), m_bAnswerYes(answerYes) {}

bool ConsoleResponder::IsSuccessText(const std::string& text) {
  // The image writer's DVD message goes on to name the image and offer its folder.
  return text.starts_with("DVD created successfully!") || text == "CD created successfully!" ||
         text == "CDs created successfully!" || text.ends_with("were created successfully!");
}

int ConsoleResponder::ShowMessage(WindowHandle /*owner*/, const MessageBoxRequest& request) {
  const auto [goOn, stop] = QuestionButtons(request.flags);
  if (goOn == stop) {
    // A message: shown, and it may be the job's result.
    m_out.Message(IsError(request.flags) ? request.caption + ": " + request.text : request.text);
    std::lock_guard<std::mutex> lock(m_lock);
    if (IsSuccessText(request.text)) {
      m_bSuccess = true;
    } else {
      m_strComplaint = request.text;
    }
    return IDOK;
  }
  if (IsSuccessText(request.text)) {
    // The job's result with an offer to open the image's folder: a script
    // has no file manager to show, so the offer is declined.
    m_out.Message(request.text);
    m_out.Message("-> No");
    std::lock_guard<std::mutex> lock(m_lock);
    m_bSuccess = true;
    return stop;
  }
  return Answer(request.text, goOn, stop);
}

DialogResult ConsoleResponder::ShowDialog(WindowHandle /*owner*/, const DialogRequest& request) {
  if (const auto* success = request.As<SuccessDialogRequest>()) {
    m_out.Message("\"" + success->filePath + "\" created successfully.");
    std::lock_guard<std::mutex> lock(m_lock);
    m_bSuccess = true;
    return ShowDialogAnswer(IDOK);
  }
  if (request.As<AboutRequest>() != nullptr || request.As<Mpeg4HelpRequest>() != nullptr) {
    return ShowDialogAnswer(IDOK);
  }
  if (const auto* codec = request.As<FindCodecRequest>()) {
    m_out.Message(codec->message);
    std::lock_guard<std::mutex> lock(m_lock);
    m_strComplaint = codec->message;
    return ShowDialogAnswer(IDCANCEL);
  }
  if (request.As<MovWarningRequest>() != nullptr) {
    m_out.Message("Quick Time not installed");
    return ShowDialogAnswer(IDCANCEL);
  }
  // Choosers, the settings sheet and the erase window want a person; they
  // are not a question a flag can answer.
  const std::string& name = request.Name();
  if (request.As<OpenFilesRequest>() != nullptr || request.As<BrowseFolderRequest>() != nullptr ||
      request.As<EraseDiscRequest>() != nullptr || name.find("Sheet") != std::string::npos) {
    Log("Batch mode: %s answered Cancel", name.c_str());
    return ShowDialogAnswer(IDCANCEL);
  }
  // Any other dialog is one of the job's questions (a blank disc, go on?).
  return ShowDialogAnswer(Answer(name, IDOK, IDCANCEL));
}

int ConsoleResponder::Answer(const std::string& text, int goOn, int stop) {
  std::lock_guard<std::mutex> lock(m_lock);
  if (!m_bAnswerYes) {
    if (!m_unanswered) m_unanswered = text;
    m_out.Message(text + "\n-> Cancel: this question needs a person (answer it with --yes).");
    return stop;
  }
  m_nSameAnswers = text == m_strLastQuestion ? m_nSameAnswers + 1 : 1;
  m_strLastQuestion = text;
  if (m_nSameAnswers > kMaxSameAnswers) {
    m_strComplaint = "The same question came " + std::to_string(kMaxSameAnswers) + " times: " + text;
    m_out.Message(text + "\n-> Cancel: asked " + std::to_string(kMaxSameAnswers) + " times already.");
    return stop;
  }
  m_out.Message(text + "\n-> OK (--yes)");
  return goOn;
}

bool ConsoleResponder::SawSuccess() const {
  std::lock_guard<std::mutex> lock(m_lock);
  return m_bSuccess;
}

std::string ConsoleResponder::LastComplaint() const {
  std::lock_guard<std::mutex> lock(m_lock);
  return m_strComplaint;
}

std::optional<std::string> ConsoleResponder::UnansweredQuestion() const {
  std::lock_guard<std::mutex> lock(m_lock);
  return m_unanswered;
}
