#pragma once
// What a batch job shows, on a stream (stderr). On a terminal the job's state
// is one line that redraws itself (stage, percent, time left); into a file or
// a pipe it becomes one line per stage and per whole percent, so a log reads
// from top to bottom. Messages go on lines of their own in both cases.
//
// Any thread may call; lines never interleave.

#include <chrono>
#include <cstdio>
#include <mutex>
#include <optional>
#include <string>

class ConsoleProgress {
 public:
  ConsoleProgress(std::FILE* stream, bool terminal);

  // The status line changed ("Converting to DVD-Compatible MPEG...").
  void Stage(const std::string& text);
  // The bar moved (0..100).
  void Percent(int percent);
  // The job's time left, or nothing while there is no honest figure.
  void TimeLeft(std::optional<std::chrono::milliseconds> remaining);
  // A message of the job, printed as it stands.
  void Message(const std::string& text);
  // Ends the redrawing line before the program's last words.
  void Finish();

 private:
  // The state line: "Converting to DVD-Compatible MPEG... 37% (2:35 left)".
  std::string StateLine() const;
  void ShowState();
  void ClearLine();

  std::FILE* m_stream;
  bool m_bTerminal;
  std::mutex m_lock;
  std::string m_strStage;
  int m_nPercent = -1;  // -1: none shown yet
  std::optional<std::chrono::milliseconds> m_timeLeft;
  bool m_bLineOpen = false;  // terminal: a state line waits to be redrawn
  int m_nPrintedPercent = -1;
  std::string m_strPrintedStage;
};
