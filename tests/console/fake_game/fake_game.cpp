// Stands in for the game in the TA folder: adds its argument text as one line to started.txt
// in its working directory, so that a test sees what the game was given.
#include <cstdio>
#include <string>
#ifdef _WIN32
#include <windows.h>
#endif

int main(int argc, char** argv) {
  std::string text;
#ifdef _WIN32
  // The whole command line, less the program's own name, is what the game reads.
  const std::string line = GetCommandLineA();
  std::size_t start = 0;
  if (!line.empty() && line[0] == '"') {
    start = line.find('"', 1);
    start = start == std::string::npos ? line.size() : start + 1;
  } else {
    start = line.find(' ');
    if (start == std::string::npos) start = line.size();
  }
  text = line.substr(start);
  (void)argc;
  (void)argv;
#else
  for (int i = 1; i < argc; ++i) text += std::string(" ") + argv[i];
#endif
  std::FILE* out = std::fopen("started.txt", "a");
  if (out == nullptr) return 1;
  std::fprintf(out, "%s\n", text.c_str());
  std::fclose(out);
  return 0;
}
