#pragma once
// Runs the tasks of a started list, up to jobs of them at once: the calling
// thread and jobs - 1 more each take the next task in list order until none
// is left or a stop ends the list, and the call returns when every task that
// started has ended.
//
// What the receiver hears stays what one file after another gives it: each
// file's begin_converting and end_converting from the file's task, in list
// order (an end that comes early is held until the earlier files' ends are
// out), and progress from a ProgressPinger in percent of that file. The pings
// pass one at a time (a task waits while another's ping is handled), and
// progress comes from a FileProgressPinger that names the file and carries
// the progress of the whole list.
//
// A failing file shows its message and the others go on; a stop (the stop
// flag, or a task ending with stop_by_user_exception) takes no further tasks
// and the running ones end by noticing the flag themselves.

#include <vector>

class ConvertFileTask;
class PingReceiver;

void RunTasksSideBySide(std::vector<ConvertFileTask>& tasks, PingReceiver* receiver, int jobs);
