#pragma once
// The dialog responder of the batch mode: no one sits at the screen, so every
// message is printed and every question is answered from the options.
//
// - A message with an OK button only is printed and answered OK.
// - A question (OK/Cancel, Yes/No, Continue/Cancel, ...): with --yes it is
//   printed and gets the answer that goes on (OK, Yes, Retry, Continue). The
//   same question asked again and again (a disc that never becomes blank)
//   is answered "stop" after kMaxSameAnswers times. Without --yes it gets the
//   answer that stops (Cancel, No) and the run notes it, to end with it once
//   (UnansweredQuestion); what the job says after that, only because of this
//   answer, goes to the log alone.
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
  // A question that needed a person: its text and the button --yes presses.
  struct Question {
    std::string text;
    std::string goOnButton;  // "OK", "Yes", "Retry", "Continue"
  };
  // The first question that needed --yes, if one was asked without it.
  std::optional<Question> UnansweredQuestion() const;
  // A question the job is known to ask later, put before any work starts:
  // without --yes it is noted as unanswered at once. True when the job may go on.
  bool AskBeforeStart(const Question& question);

  // The CD prompts ask for a blank disc: when the disc is an image, there is
  // none to insert, and they are answered Continue without a word.
  void ContinueAtDiscPrompts();

  // While held, messages are noted (LastComplaint) but not printed: the
  // caller prints them in a form of its own.
  void HoldMessages(bool hold);
  void ClearComplaint();

  // A text the job ends with when it succeeded.
  static bool IsSuccessText(const std::string& text);

 private:
  // The answer to a question that shows text; goOn and stop are its buttons.
  int Answer(const std::string& text, const std::string& goOnButton, int goOn, int stop);
  // Prints a message unless messages are held or the run has stopped at a question.
  void Print(const std::string& text);

  ConsoleProgress& m_out;
  bool m_bAnswerYes;
  mutable std::mutex m_lock;
  bool m_bSuccess = false;
  std::string m_strComplaint;
  std::optional<Question> m_unanswered;
  bool m_bHeld = false;
  bool m_bContinueAtDiscPrompts = false;
  std::string m_strLastQuestion;
  int m_nSameAnswers = 0;
};
