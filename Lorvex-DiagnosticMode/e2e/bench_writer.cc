// The benchmark's Java runtime: writes a fixed amount in fixed chunks, to its
// standard output or, when LORVEX_BENCH_OUT names a file, to that file opened
// by itself (after a header like the launcher's). Only the write loop is timed; its elapsed and
// processor seconds are written to the file that LORVEX_BENCH_REPORT names. LORVEX_BENCH_SETTLE_MS delays the loop,
// LORVEX_BENCH_MIB sets the amount (300 MiB by default).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const DWORD kChunk = 64 * 1024;
const long kDefaultMiB = 300;

std::string variable(const char* name) {
  char value[1024];
  DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
  return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

// The processor time (user and kernel) this process has used: unlike the
// elapsed time, it hardly depends on what else the machine runs.
double cpuSeconds() {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
  auto seconds = [](const FILETIME& t) {
    return double((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
  };
  return seconds(kernel) + seconds(user);
}

// A file of its own starts with the header a launcher would write, so that
// it holds the same bytes as a captured log.
HANDLE openOutput() {
  std::string own = variable("LORVEX_BENCH_OUT");
  if (own.empty()) return GetStdHandle(STD_OUTPUT_HANDLE);
  HANDLE file = CreateFileA(own.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  std::string header = std::string("\r\n----------\r\n") + GetCommandLineA() + "\r\n";
  DWORD written = 0;
  if (file != INVALID_HANDLE_VALUE)
    WriteFile(file, header.data(), static_cast<DWORD>(header.size()), &written, nullptr);
  return file;
}

}  // namespace

int main() {
  long mib = std::strtol(variable("LORVEX_BENCH_MIB").c_str(), nullptr, 10);
  if (mib <= 0) mib = kDefaultMiB;
  long chunks = mib * (1024 * 1024 / kChunk);
  std::vector<char> chunk(kChunk, 'x');
  chunk[kChunk - 2] = '\r';
  chunk[kChunk - 1] = '\n';
  HANDLE out = openOutput();
  if (out == INVALID_HANDLE_VALUE) return 2;
  // Let the start settle first (the new console, the closing message box of
  // the launcher), so that the loop measures the writes alone.
  Sleep(static_cast<DWORD>(std::strtol(variable("LORVEX_BENCH_SETTLE_MS").c_str(), nullptr, 10)));

  LARGE_INTEGER frequency, begin, end;
  QueryPerformanceFrequency(&frequency);
  double cpuBegin = cpuSeconds();
  QueryPerformanceCounter(&begin);
  bool complete = true;
  for (long i = 0; i < chunks && complete; ++i) {
    DWORD written = 0;
    complete = WriteFile(out, chunk.data(), kChunk, &written, nullptr) && written == kChunk;
  }
  QueryPerformanceCounter(&end);
  double cpu = cpuSeconds() - cpuBegin;

  double seconds = double(end.QuadPart - begin.QuadPart) / double(frequency.QuadPart);
  FILE* report = std::fopen(variable("LORVEX_BENCH_REPORT").c_str(), "w");
  if (report != nullptr) {
    std::fprintf(report, "%.6f %.6f %ld\n", seconds, cpu, complete ? chunks : -1L);
    std::fclose(report);
  }
  return complete ? 0 : 1;
}
