#pragma once
// Waiting on the calling thread's event loop for a condition that its events
// bring about (a job's last ping, a worker's posted result).
//
// QCoreApplication::processEvents(flags, ms) never sleeps: it ignores
// WaitForMoreEvents, so calling it in a loop keeps a processor busy - one the
// job's encoders need. These calls sleep until an event arrives; a short
// timer wakes them to look at the condition again, for conditions that other
// threads change without posting anything.

#include <QEventLoop>
#include <chrono>
#include <functional>

// Handles events until done() holds.
void ProcessEventsUntil(const std::function<bool()>& done,
                        QEventLoop::ProcessEventsFlags flags = QEventLoop::AllEvents);

// Handles events until done() holds (true) or the time-out passes (false).
bool ProcessEventsUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout,
                        QEventLoop::ProcessEventsFlags flags = QEventLoop::AllEvents);
