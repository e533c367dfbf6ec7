#pragma once
// Messages to the main window's core, from any thread. The core lives on one
// thread (the window thread, or the command line's main thread) and handles
// everything there: a sent message runs there while the sender waits for its
// result (on the core's own thread it runs at once); a posted one is queued,
// from any thread, and the sender goes on.
//
// The core's thread must run a Qt event loop for messages from other threads
// to arrive.

#include <QObject>
#include <cstdint>
#include <functional>
#include <memory>

// The messages the window receives, by their historic numbers.
inline constexpr unsigned WM_USER = 0x0400;
inline constexpr unsigned WM_APP = 0x8000;
inline constexpr unsigned WM_PING = WM_APP + 1;            // a ping from a Pinger (sent)
inline constexpr unsigned WM_SHOWDLG = WM_USER + 1;        // show the CD prompt (sent)
inline constexpr unsigned WM_FINISHVCDBURN = WM_USER + 2;  // the CD job ended (posted)
inline constexpr unsigned WM_ERASEDISK = WM_USER + 3;      // erase before a DVD burn (posted)
inline constexpr unsigned WM_FINISHDVD = WM_USER + 4;      // the DVD burn ended (posted)

class WindowMessages {
 public:
  // Binds to the calling thread: the core's thread.
  WindowMessages();
  ~WindowMessages();
  WindowMessages(const WindowMessages&) = delete;
  WindowMessages& operator=(const WindowMessages&) = delete;

  // Runs handler on the core's thread and returns its result (SendMessage).
  std::intptr_t Send(const std::function<std::intptr_t()>& handler);
  // Queues handler for the core's thread (PostMessage).
  void Post(std::function<void()> handler);

  bool OnCoreThread() const;

 private:
  std::unique_ptr<QObject> m_pTarget;
};
