// Started by the elevated-start test: writes its command line and its current
// directory into "marker.txt" in that directory, so the test sees what the
// shell handed over.
#include <windows.h>

#include <cstdio>

int main() {
  char directory[MAX_PATH] = "";
  GetCurrentDirectoryA(sizeof directory, directory);
  std::FILE* out = std::fopen("marker.txt.tmp", "wb");
  if (out == nullptr) return 1;
  std::fprintf(out, "cmdline=%s\ncwd=%s\n", GetCommandLineA(), directory);
  std::fclose(out);
  // Renamed only when complete, so the test never reads half a file.
  return MoveFileA("marker.txt.tmp", "marker.txt") ? 0 : 1;
}
