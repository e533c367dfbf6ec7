// registry_writer <settings file> <value prefix> <count>
// Waits for one byte on stdin (so that two writers can be let go at once),
// then saves count values "<prefix> <i>" = i into
// HKEY_CURRENT_USER\Software\Peravel\Orlenta, each through a store of its own.
// Exit code 0 when every save succeeded.

#include <unistd.h>

#include <cstdlib>
#include <string>

#include "platform/registry/registry.h"

int main(int argc, char** argv) {
  if (argc != 4) return 2;
  ::setenv("ORLENTA_REGISTRY", argv[1], 1);
  char go = 0;
  if (::read(STDIN_FILENO, &go, 1) != 1) return 3;

  const std::string prefix = argv[2];
  const int count = std::atoi(argv[3]);
  for (int i = 0; i < count; ++i) {
    CRegistry store("Software\\Peravel\\Orlenta", RegistryKey::CurrentUser(), true);
    int value = i;
    if (!store.UpdateValue(prefix + " " + std::to_string(i), value)) return 4;
    if (!store.Close()) return 5;
  }
  return 0;
}
