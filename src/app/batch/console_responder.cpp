#include "app/batch/console_responder.h"

#include <array>

#include "app/batch/console_progress.h"
#include "disc/disc_prompts.h"
#include "platform/dialogs/auxiliary_requests.h"
#include "platform/dialogs/file_choosers.h"
#include "platform/disc/burning/erase_request.h"
#include "support/log.h"
#include "support/user_text.h"

namespace {

// The name of the button that goes on, as a box of that type shows it.
const char* ButtonName(int button) {
  switch (button) {
    case IDYES:
      return "Yes";
    case IDRETRY:
      return "Retry";
    default:
      return "OK";
  }
}

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
  // The job's messages come in the user's language.
  const auto either = [](const char* english) { return std::array<std::string, 2>{english, UserText::tr(english)}; };
  // The image writer's messages go on to name the images (and offer the DVD's folder).
  for (const char* english : {"DVD created successfully!", "CD created successfully!", "CDs created successfully!"}) {
    for (const std::string& done : either(english)) {
      if (text.starts_with(done)) return true;
    }
  }
  return text.ends_with("were created successfully!") ||
         text.ends_with(UserText::Fill(UserText::tr("%1were created successfully!"), {""}));
}

int ConsoleResponder::ShowMessage(WindowHandle /*owner*/, const MessageBoxRequest& request) {
  const auto [goOn, stop] = QuestionButtons(request.flags);
  if (goOn == stop) {
    // A message: shown, and it may be the job's result.
    std::lock_guard<std::mutex> lock(m_lock);
    Print(IsError(request.flags) ? request.caption + ": " + request.text : request.text);
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
    std::lock_guard<std::mutex> lock(m_lock);
    Print(request.text);
    Print("-> No");
    m_bSuccess = true;
    return stop;
  }
  return Answer(request.text, ButtonName(goOn), goOn, stop);
}

DialogResult ConsoleResponder::ShowDialog(WindowHandle /*owner*/, const DialogRequest& request) {
  if (const auto* success = request.As<SuccessDialogRequest>()) {
    std::lock_guard<std::mutex> lock(m_lock);
    Print("\"" + success->filePath + "\" created successfully.");
    m_bSuccess = true;
    return ShowDialogAnswer(IDOK);
  }
  if (request.As<AboutRequest>() != nullptr || request.As<Mpeg4HelpRequest>() != nullptr) {
    return ShowDialogAnswer(IDOK);
  }
  if (const auto* codec = request.As<FindCodecRequest>()) {
    std::lock_guard<std::mutex> lock(m_lock);
    Print(codec->message);
    m_strComplaint = codec->message;
    return ShowDialogAnswer(IDCANCEL);
  }
  if (request.As<MovWarningRequest>() != nullptr) {
    std::lock_guard<std::mutex> lock(m_lock);
    Print("Quick Time not installed");
    return ShowDialogAnswer(IDCANCEL);
  }
  // The disc prompts: a question with the prompt's own text.
  if (const auto* insertCd = request.As<CDCountDlgRequest>()) {
    if (std::lock_guard<std::mutex> lock(m_lock); m_bContinueAtDiscPrompts) {
      Log("Batch mode: the image writer takes no disc: %s answered Continue", insertCd->text.c_str());
      return ShowDialogAnswer(IDOK);
    }
    return ShowDialogAnswer(Answer(insertCd->text, "Continue", IDOK, IDCANCEL));
  }
  if (request.As<EraseDVDDlgRequest>() != nullptr) {
    return ShowDialogAnswer(Answer(kEraseDvdPromptText, "OK", IDOK, IDCANCEL));
  }
  // Choosers, the settings sheet and the erase window want a person; they
  // are not a question a flag can answer.
  const std::string& name = request.Name();
  if (request.As<OpenFilesRequest>() != nullptr || request.As<BrowseFolderRequest>() != nullptr ||
      request.As<EraseDiscRequest>() != nullptr || name.find("Sheet") != std::string::npos) {
    Log("Batch mode: %s answered Cancel", name.c_str());
    return ShowDialogAnswer(IDCANCEL);
  }
  // Any other dialog is one of the job's questions.
  return ShowDialogAnswer(Answer(name, "OK", IDOK, IDCANCEL));
}

int ConsoleResponder::Answer(const std::string& text, const std::string& goOnButton, int goOn, int stop) {
  std::lock_guard<std::mutex> lock(m_lock);
  if (!m_bAnswerYes) {
    Log("Batch mode: a question needs a person, answered %s: %s", stop == IDNO ? "No" : "Cancel", text.c_str());
    if (!m_unanswered) m_unanswered = Question{text, goOnButton};
    return stop;
  }
  m_nSameAnswers = text == m_strLastQuestion ? m_nSameAnswers + 1 : 1;
  m_strLastQuestion = text;
  if (m_nSameAnswers > kMaxSameAnswers) {
    m_strComplaint = "The same question came " + std::to_string(kMaxSameAnswers) + " times: " + text;
    Print(text + "\n-> Cancel: asked " + std::to_string(kMaxSameAnswers) + " times already.");
    return stop;
  }
  Print(text + "\n-> " + goOnButton + " (--yes)");
  return goOn;
}

bool ConsoleResponder::AskBeforeStart(const Question& question) {
  std::lock_guard<std::mutex> lock(m_lock);
  if (m_bAnswerYes) return true;
  Log("Batch mode: the job would ask a person, so it does not start: %s", question.text.c_str());
  if (!m_unanswered) m_unanswered = question;
  return false;
}

void ConsoleResponder::Print(const std::string& text) {
  if (m_bHeld || m_unanswered) {
    Log("Batch mode: not shown: %s", text.c_str());
    return;
  }
  m_out.Message(text);
}

void ConsoleResponder::ContinueAtDiscPrompts() {
  std::lock_guard<std::mutex> lock(m_lock);
  m_bContinueAtDiscPrompts = true;
}

void ConsoleResponder::HoldMessages(bool hold) {
  std::lock_guard<std::mutex> lock(m_lock);
  m_bHeld = hold;
}

void ConsoleResponder::ClearComplaint() {
  std::lock_guard<std::mutex> lock(m_lock);
  m_strComplaint.clear();
}

bool ConsoleResponder::SawSuccess() const {
  std::lock_guard<std::mutex> lock(m_lock);
  return m_bSuccess;
}

std::string ConsoleResponder::LastComplaint() const {
  std::lock_guard<std::mutex> lock(m_lock);
  return m_strComplaint;
}

std::optional<ConsoleResponder::Question> ConsoleResponder::UnansweredQuestion() const {
  std::lock_guard<std::mutex> lock(m_lock);
  return m_unanswered;
}
