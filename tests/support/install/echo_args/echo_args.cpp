// Started by the process tests: writes its working directory, on Windows its whole command line,
// then its arguments, one a line, to the file named by its first argument. Its exit status is the
// number of arguments after that one. With "--linger" after the file name it stays a few seconds
// longer, to be found running.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <thread>
#ifdef _WIN32
#include <windows.h>
#endif

int main(int argc, char** argv) {
  if (argc < 2) return 100;
  // Written beside its name and then renamed, so that a test waiting for the file sees it whole.
  const std::string part = std::string(argv[1]) + ".part";
  std::FILE* out = std::fopen(part.c_str(), "w");
  if (out == nullptr) return 101;
  std::fprintf(out, "%s\n", std::filesystem::current_path().string().c_str());
#ifdef _WIN32
  std::fprintf(out, "%s\n", GetCommandLineA());
#endif
  for (int i = 2; i < argc; ++i) std::fprintf(out, "%s\n", argv[i]);
  std::fclose(out);
  std::error_code failed;
  std::filesystem::rename(part, argv[1], failed);
  if (failed) return 102;
  if (argc > 2 && std::strcmp(argv[2], "--linger") == 0) {
    std::this_thread::sleep_for(std::chrono::seconds(3));
  }
  return argc - 2;
}
