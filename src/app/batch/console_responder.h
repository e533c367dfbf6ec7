#pragma once
// The dialog responder of the batch mode: no one sits at the screen, so every
// message is printed and every question is answered from the options.
//
// - A message with an OK button only is printed and answered OK.
// - A question (OK/Cancel, Yes/No, Continue/Cancel, ...) is printed; with
//   --yes it gets the answer that goes on (OK, Yes, Retry, Continue), else
//   the one that stops (Cancel, No), and the run notes that it needed a
//   person. The same question asked again and again (a disc that never
//   becomes blank) is answered "stop" after kMaxSameAnswers times.
// - Dialogs that would open a browser or a chooser are answered Cancel; the
//   burner's erase window too: no disc is erased without a person.
//
// Any thread may ask.

#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/dialogs/message_box.h"

class ConsoleProgress;

class ConsoleResponder : public DialogResponder {
 public:
  static constexpr int kMaxSameAnswers = 3;

  ConsoleResponder(ConsoleProgress& out, bool answerYes);

  int ShowMessage(WindowHandle owner, const MessageBoxRequest& request) override;
  DialogResult ShowDialog(WindowHandle owner, const DialogRequest& request) override;

  // The job reported success ("DVD created successfully!", the success
  // dialog, ...).
  bool SawSuccess() const;
  // The last message that was not a success: the reason a job failed.
  std::string LastComplaint() const;
  // The first question that needed --yes, if one was asked without it.
  std::optional<std::string> UnansweredQuestion() const;

  // A text the job ends with when it succeeded.
  static bool IsSuccessText(const std::string& text);

 private:
  // The answer to a question that shows text; goOn and stop are its buttons.
  int Answer(const std::string& text, int goOn, int stop);

  ConsoleProgress& m_out;
  bool m_bAnswerYes;
  mutable std::mutex m_lock;
  bool m_bSuccess = false;
  std::string m_strComplaint;
  std::optional<std::string> m_unanswered;
  std::string m_strLastQuestion;
  int m_nSameAnswers = 0;
};
