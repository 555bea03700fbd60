// Hostile inputs through the built launcher in a temporary installation:
// property files of a megabyte, of every byte value, of separators only and
// with a NUL first, and an argument text at the system's command-line limit.
// Each run gives the documented result or the documented failure, whole.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hostile_bytes.h"
#include "installation.h"
#include "paths.h"
#include "property_words.h"

namespace {

using e2e::Installation;

const DWORD kFailed = 0xFFFFFFFF;  // the launcher's -1
const std::size_t kMegabyte = 1 << 20;

// Every byte value, Ctrl-Z last: the file ends there in text mode.
std::string everyByteValueThenEnd(std::size_t size) {
  return everyByteValue(size) + "\x1A" + "after the end";
}

// A compact description of a long text for a failure message.
std::string shown(const std::string& text) {
  return text.size() <= 200 ? text
                            : text.substr(0, 100) + "... (" + std::to_string(text.size()) + " bytes)";
}

class LauncherHostile : public testing::Test {
 protected:
  static void SetUpTestSuite() { SetErrorMode(SEM_NOGPFAULTERRORBOX); }
};

// The stand-in runtime reports its command line. A command line beyond the
// system's limit is logged whole all the same; Windows refuses to start it,
// but Wine starts a runtime with such a line cut to its length modulo 64 Ki
// characters, so what follows the record is checked only for lines it starts.
TEST_F(LauncherHostile, PropertyFiles) {
  const struct {
    const char* what;
    std::string file;
    bool starts;  // false: the command line is beyond the system's limit
  } cases[] = {
      {"one word of 1 MB", std::string(kMegabyte, 'w'), false},
      {"1 MB of every byte value", everyByteValueThenEnd(kMegabyte), false},
      {"1 MB of separators only", std::string(kMegabyte / 2, ' ') + std::string(kMegabyte / 2, '\n'), true},
      {"a NUL first", std::string("\0-Xmx1g\r\n-jar a.jar", 19), true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Installation installation("hostile");
    installation.copyLauncher();
    installation.copyJava();
    installation.write(e2e::kPropertyFile, c.file);

    e2e::RunResult run = installation.runLauncher("");

    ASSERT_TRUE(run.ended);
    EXPECT_EQ(run.exitCode, 0u);
    ASSERT_FALSE(run.boxes.empty());
    if (c.starts) {
      EXPECT_EQ(run.boxes.size(), 1u) << run.boxes.back().text;
    }
    // The whole command line follows the record's header, whatever its size.
    const std::string commandLine = lorvex::javaCommandLine(
        installation.dir(), lorvex::propertyWords(lorvex::textModeContent(c.file)));
    const std::string record = "\r\n----------\r\n" + commandLine + "\r\n";
    const std::string log = installation.diagnosticLog(run);
    EXPECT_EQ(log.compare(0, record.size(), record), 0) << shown(log);
    if (c.starts) {
      EXPECT_NE(log.find("cmdline=[" + commandLine + "]"), std::string::npos) << shown(log);
    }
  }
}

// 32,000 bytes of the launcher's own command line: a missing property file
// whose name is named whole in the box and the trace.
TEST_F(LauncherHostile, ArgumentTextAtTheCommandLineLimit) {
  Installation installation("limit");
  installation.copyLauncher();
  const std::string launcher = "\"" + installation.path("Lorvex.exe") + "\" ";
  const std::string name(32000 - launcher.size() - 3, 'n');

  e2e::RunResult run = installation.runLauncher("-c " + name);

  ASSERT_TRUE(run.ended);
  EXPECT_EQ(run.exitCode, kFailed);
  ASSERT_EQ(run.boxes.size(), 1u);
  EXPECT_EQ(run.boxes[0].text, "Konnte die Datei " + name + " nicht finden!");
  EXPECT_NE(installation.read(e2e::kTraceLog).find("\r\n" + name + "\r\n"), std::string::npos);
}

}  // namespace
