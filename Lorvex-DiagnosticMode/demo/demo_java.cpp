// The demo's stand-in for the installation's Java runtime: prints a few lines
// on standard output and standard error, as a small client would on its way
// up, and ends.
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
  std::printf("Client starting with %d JVM argument(s):\n", argc - 1);
  for (int i = 1; i < argc; ++i) std::printf("  %s\n", argv[i]);
  std::fflush(stdout);
  std::fprintf(stderr, "WARN  [main] user settings not found, defaults in use\n");
  std::fflush(stderr);
  Sleep(300);
  std::printf("INFO  [main] connected to the quote service\n");
  std::printf("INFO  [main] main window shown\n");
  std::fflush(stdout);
  Sleep(300);
  std::printf("INFO  [main] client closed by the user\n");
  return 0;
}
