// Long runs of the built launcher in a temporary installation, with a Java
// runtime that writes much or runs long: the diagnostic log holds every byte
// in order, and the launcher returns only after the runtime has ended.
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "installation.h"
#include "soak_chunks.h"

namespace {

using e2e::Installation;

const char kHeader[] = "\r\n----------\r\n";

// A name for the mutex the runtime holds while it runs.
std::string aliveName(const char* what) {
  return "LorvexSoak-" + std::to_string(GetCurrentProcessId()) + "-" + what;
}

bool stillRunning(const std::string& alive) {
  HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, alive.c_str());
  if (mutex == nullptr) return false;
  CloseHandle(mutex);
  return true;
}

// The log of one run: the record's header and command line, then exactly
// `output`. Large logs are compared without printing them.
void expectRecord(const std::string& log, const std::string& output) {
  ASSERT_GE(log.size(), output.size());
  const std::string record = log.substr(0, log.size() - output.size());
  // The header, then the command line: the runtime's path and the argument
  // text of an empty property file, one blank.
  const std::string commandLineEnd = "java.exe  \r\n";
  EXPECT_EQ(record.rfind(kHeader, 0), 0u) << record;
  EXPECT_EQ(record.find("\r\n", sizeof kHeader - 1), record.size() - 2) << record;
  EXPECT_GE(record.size(), commandLineEnd.size());
  EXPECT_EQ(record.find(commandLineEnd), record.size() - commandLineEnd.size()) << record;
  const std::string tail = log.substr(record.size());
  if (tail == output) return;
  std::size_t at = 0;
  while (at < output.size() && tail[at] == output[at]) ++at;
  ADD_FAILURE() << "the log's output differs at byte " << at << " (chunk "
                << at / soak::kChunkSize << "): " << testing::PrintToString(tail.substr(at, 40))
                << ", expected " << testing::PrintToString(output.substr(at, 40));
}

class LauncherSoak : public testing::Test {
 protected:
  static void SetUpTestSuite() { SetErrorMode(SEM_NOGPFAULTERRORBOX); }

  LauncherSoak() : installation_(testing::UnitTest::GetInstance()->current_test_info()->name()) {
    installation_.copyLauncher();
    installation_.makeDirectory("java\\bin");
    installation_.copyBuilt(SOAK_WRITER_EXE, "java\\bin\\java.exe");
    installation_.write(e2e::kPropertyFile, "");
  }

  Installation installation_;
};

TEST_F(LauncherSoak, LogsAHundredMegabytesFromBothStreamsInOrder) {
  const long mebibytes = 100;
  const std::string alive = aliveName("100MB");
  e2e::RunResult run = e2e::finish(
      installation_.startLauncher("", {{"LORVEX_SOAK_MIB", std::to_string(mebibytes)},
                                       {"LORVEX_SOAK_ALIVE", alive}}),
      1800000);

  ASSERT_TRUE(run.ended);
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_FALSE(stillRunning(alive)) << "the launcher returned before the runtime ended";
  std::string output;
  output.reserve(soak::chunksFor(mebibytes) * soak::kChunkSize + 8);
  for (long i = 0; i < soak::chunksFor(mebibytes); ++i) output += soak::chunk(i);
  output += "ending\r\n";
  expectRecord(installation_.diagnosticLog(run), output);
  std::printf("100 MiB through the launcher in %llu ms\n", run.elapsedMs);
}

TEST_F(LauncherSoak, ReturnsOnlyAfterARuntimeOfOneMinuteHasEnded) {
  const std::string alive = aliveName("minute");
  e2e::Started started =
      installation_.startLauncher("", {{"LORVEX_SOAK_RUN_MS", "60000"}, {"LORVEX_SOAK_ALIVE", alive}});
  e2e::RunResult run;
  std::thread finishing([&] { run = e2e::finish(started, 300000); });
  // While the runtime runs, the probe sees it (once the launcher's box is
  // pressed and the runtime has started).
  bool seen = false;
  for (int i = 0; i < 300 && !seen; ++i, Sleep(100)) seen = stillRunning(alive);
  finishing.join();

  EXPECT_TRUE(seen) << "the runtime was never seen running";
  ASSERT_TRUE(run.ended);
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_GE(run.elapsedMs, 60000u);
  EXPECT_FALSE(stillRunning(alive)) << "the launcher returned before the runtime ended";
  expectRecord(installation_.diagnosticLog(run), "ending\r\n");
}

}  // namespace
