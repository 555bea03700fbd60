// The soak's Java runtime. It holds the mutex LORVEX_SOAK_ALIVE names for as
// long as it runs, so that a test can tell it has ended; writes the chunks of
// LORVEX_SOAK_MIB mebibytes alternately to its standard output and standard
// error; then waits LORVEX_SOAK_RUN_MS and writes a last line "ending" just
// before it ends.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "soak_chunks.h"
#include "standin_environment.h"

namespace {

bool writeAll(HANDLE handle, const std::string& bytes) {
  DWORD written = 0;
  return WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

}  // namespace

int main() {
  HANDLE alive = CreateMutexA(nullptr, TRUE, variable("LORVEX_SOAK_ALIVE").c_str());
  const HANDLE streams[2] = {GetStdHandle(STD_OUTPUT_HANDLE), GetStdHandle(STD_ERROR_HANDLE)};
  const long chunks = soak::chunksFor(number("LORVEX_SOAK_MIB"));
  bool complete = true;
  for (long i = 0; i < chunks && complete; ++i) {
    complete = writeAll(streams[i % 2], soak::chunk(i));
  }
  Sleep(static_cast<DWORD>(number("LORVEX_SOAK_RUN_MS")));
  complete = writeAll(streams[0], "ending\r\n") && complete;
  // Ends with the mutex still held: only the end of the process frees it.
  (void)alive;
  return complete ? 0 : 1;
}
