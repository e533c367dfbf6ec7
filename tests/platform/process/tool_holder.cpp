// tool_holder <program> [arguments...]
// Starts the program through ChildProcess from a thread that ends at once,
// as the engine's background threads do, writes the program's pid and a line
// break to stdout and then waits until it is killed.
// Exit code 2 on wrong use, 3 when the program cannot be started.

#include <unistd.h>

#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "platform/process/child_process.h"

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::vector<std::string> command(argv + 1, argv + argc);
  ChildProcess tool;
  int error = 0;
  std::thread([&] { error = tool.Start(command); }).join();
  if (error != 0) return 3;
  std::printf("%d\n", static_cast<int>(tool.Pid()));
  std::fflush(stdout);
  for (;;) ::pause();
}
