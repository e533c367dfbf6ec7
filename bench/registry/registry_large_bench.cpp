// Loads and saves a large settings file: 200,000 values (about 6.6 MB), half
// of them in one key and the rest spread over 1,000 keys.
//   bench_registry_large [--quick]
// --quick uses 20,000 values, to check that the benchmark still runs.
// Prints the file's size and the seconds one load and one save take, by the
// clock and in processor time; goal: each well under a second.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>

#include "platform/registry/registry_file.h"
#include "platform/registry/registry_types.h"

namespace {

std::string LargeSettingsText(int values) {
  std::string text(kRegistryFileHeader);
  text += "\n\n[HKEY_CURRENT_USER\\Software\\Peravel\\Orlenta\\Crowded]\n";
  char line[96];
  for (int i = 0; i < values / 2; ++i) {
    std::snprintf(line, sizeof line, "\"Crowded value %06d\"=dword:%08x\n", i, static_cast<unsigned>(i));
    text += line;
  }
  const int keys = 1000;
  for (int key = 0; key < keys; ++key) {
    std::snprintf(line, sizeof line, "\n[HKEY_CURRENT_USER\\Software\\Peravel\\Orlenta\\Key %04d]\n", key);
    text += line;
    for (int i = 0; i < values / 2 / keys; ++i) {
      std::snprintf(line, sizeof line, "\"Spread value %04d\"=\"text %06d\"\n", i, key * 1000 + i);
      text += line;
    }
  }
  return text + "\n";
}

struct Seconds {
  double wall;
  double processor;  // what a busy machine cannot inflate
};

Seconds SecondsOf(const auto& work) {
  const auto start = std::chrono::steady_clock::now();
  const std::clock_t startClock = std::clock();
  work();
  return {std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
          static_cast<double>(std::clock() - startClock) / CLOCKS_PER_SEC};
}

}  // namespace

int main(int argc, char** argv) {
  const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
  const int values = quick ? 20'000 : 200'000;
  char folder[] = "/tmp/orlenta-bench-XXXXXX";
  if (::mkdtemp(folder) == nullptr) return 2;
  const std::string path = std::string(folder) + "/registry.reg";
  {
    const std::string text = LargeSettingsText(values);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr || std::fwrite(text.data(), 1, text.size(), file) != text.size()) return 2;
    std::fclose(file);
  }

  RegistryData data;
  const Seconds load = SecondsOf([&] { data = ReadRegistryFile(path); });
  std::size_t loaded = 0;
  for (const auto& [key, keyValues] : data.Keys()) loaded += keyValues.size();
  RegistryStatus status = ERROR_SUCCESS;
  const Seconds save = SecondsOf([&] {
    status = UpdateRegistryFile(path, [](RegistryData& saved) {
      saved.SetValue("HKEY_CURRENT_USER\\Software\\Peravel\\Orlenta\\Crowded", "One more",
                     RegistryValue{REG_DWORD, {1, 0, 0, 0}});
    });
  });
  const auto size = std::filesystem::file_size(path);
  std::filesystem::remove_all(folder);
  std::printf("%zu values, %.1f MB: load %.3f s (processor %.3f s), save %.3f s (processor %.3f s)\n", loaded,
              static_cast<double>(size) / 1e6, load.wall, load.processor, save.wall, save.processor);
  return loaded == static_cast<std::size_t>(values) && status == ERROR_SUCCESS ? 0 : 1;
}
