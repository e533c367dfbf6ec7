#pragma once
// The time a running job still needs, for the window's title and the batch
// mode's progress line. It sits between the core and its view: everything
// passes through unchanged, and what the core shows of a job (the status
// line names the stage, the bar and the completion text its progress) feeds
// a TimeLeftEstimate with the job's plan read from the core (the inputs'
// durations, the format, the device).
//
// The listener hears the estimate after every change: nothing while no
// honest figure exists - the first seconds of converting, and after the job.

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "app/main_window_view.h"
#include "convert/time_left_estimate.h"

class CCastrel1Dlg;

class TimeLeftView : public MainWindowView {
 public:
  using Listener = std::function<void(std::optional<std::chrono::milliseconds>)>;
  using ClockSource = std::function<TimeLeftEstimate::Clock::time_point()>;

  // clock: where the time comes from (tests pass their own).
  TimeLeftView(const CCastrel1Dlg& core, MainWindowView& inner, Listener listener,
               ClockSource clock = TimeLeftEstimate::Clock::now);
  ~TimeLeftView() override;

  WindowHandle Handle() override { return m_inner.Handle(); }
  void SetSkin() override { m_inner.SetSkin(); }
  void AppendSystemCommand(unsigned id, const std::string& text) override { m_inner.AppendSystemCommand(id, text); }
  void SetIcon() override { m_inner.SetIcon(); }
  void ExchangeData(DialogData& data, bool save) override { m_inner.ExchangeData(data, save); }
  void EnableControl(int id, bool enable) override { m_inner.EnableControl(id, enable); }
  void ShowControl(int id, bool show) override { m_inner.ShowControl(id, show); }
  void SetButtonElement(int id, const char* element) override;
  void SetStatusText(const std::string& text) override;
  std::string StatusText() override { return m_inner.StatusText(); }
  void SetProgress(int percent) override;
  void SetCompletedText(const std::string& text) override;
  void SetOutputFolderText(const std::string& path) override { m_inner.SetOutputFolderText(path); }
  int ListCount() override { return m_inner.ListCount(); }
  std::string ListText(int index) override { return m_inner.ListText(index); }
  int ListSelection() override { return m_inner.ListSelection(); }
  void ListAppend(const std::string& text) override { m_inner.ListAppend(text); }
  void ListDelete(int index) override { m_inner.ListDelete(index); }
  void ListSelect(int index) override { m_inner.ListSelect(index); }
  void CloseWindow(int result) override { m_inner.CloseWindow(result); }
  PreviewPlayer* CreatePlayer() override { return m_inner.CreatePlayer(); }
  void SetDeferredDropsText(const std::string& text) override { m_inner.SetDeferredDropsText(text); }
  bool IsWindowActive() override { return m_inner.IsWindowActive(); }
  void ShowDiscPlan(const DiscPlan& plan) override { m_inner.ShowDiscPlan(plan); }
  void SetListTitle(int index, const std::string& title) override { m_inner.SetListTitle(index, title); }

  // "Orlenta - 2:35 left", or the plain caption without a figure.
  static std::string WindowTitle(std::optional<std::chrono::milliseconds> remaining);

  // A question waits for the user (any thread): the job's clock stands still
  // until it is answered, so the time spent reading it is no slower job.
  void QuestionOpened();
  void QuestionAnswered();

 private:
  enum class Stage { None, Converting, Authoring, Imaging, Burning };
  // The stage a status line names; None for texts that name none.
  Stage StageOfStatus(const std::string& text) const;
  void StartJob();
  void OnPosition(double position);
  // The later stages' work from what the converted files hold so far.
  void MeasureConvertedFiles();
  void Report();
  // The job's clock: the caller's, less the time questions waited.
  TimeLeftEstimate::Clock::time_point Now();

  const CCastrel1Dlg& m_core;
  MainWindowView& m_inner;
  Listener m_listener;
  ClockSource m_clock;
  std::unique_ptr<TimeLeftEstimate> m_pEstimate;
  std::vector<std::int64_t> m_durationsMs;  // of the inputs
  Stage m_stage = Stage::None;
  double m_position = 0;
  std::optional<std::chrono::milliseconds> m_reported;
  // Questions open now, since when, and the time they have held the clock.
  std::mutex m_pauseLock;
  int m_nOpenQuestions = 0;
  TimeLeftEstimate::Clock::time_point m_pausedAt{};
  TimeLeftEstimate::Clock::duration m_paused{};
};

// Passes every message and dialog on to the responder installed before it,
// telling the view while one waits. Installs itself for its lifetime.
class QuestionPause : public DialogResponder {
 public:
  explicit QuestionPause(TimeLeftView& view);
  ~QuestionPause() override;
  QuestionPause(const QuestionPause&) = delete;
  QuestionPause& operator=(const QuestionPause&) = delete;

  int ShowMessage(WindowHandle owner, const MessageBoxRequest& request) override;
  DialogResult ShowDialog(WindowHandle owner, const DialogRequest& request) override;

 private:
  TimeLeftView& m_view;
  DialogResponder* m_pInner;
};
