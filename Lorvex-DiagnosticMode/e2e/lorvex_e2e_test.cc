// End-to-end tests of the launcher: the built program runs in a temporary
// installation with a stand-in Java runtime, every box it shows is recorded
// and pressed, and its exit code, trace log and diagnostic log are checked
// byte for byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <thread>

#include "installation.h"

namespace e2e {
namespace {

using message_boxes::Box;

const DWORD kFailed = 0xFFFFFFFF;  // the launcher's -1

// The information message: 13 lines joined by LF alone, Windows-1252, with
// two blanks in a row in lines 3 and 13.
const char* const kInformationLines[] = {
    "Der Zantiq wird nun im Diagnosemodus gestartet.",
    "",
    "Falls ein unerwartetes Problem auftreten sollte oder der  Zantiq abst\xFCrzt,",
    "wechseln Sie bitte in das DOS Fenster, welches im Hintergrund ge\xF6" "ffnet wurde,",
    "und dr\xFC" "cken Sie die Tastenkombination \"Strg\" und \"Pause\".",
    "",
    "Dadurch wird eine Diagnosedatei erzeugt, die Mervalon die Problembehebung erheblich erleichtert.",
    "Die erzeugte Diagnosedatei finden Sie im Installationsverzeichnis des Zantiqs.",
    "Sie beginnt mit \"diagnostic.log...\"",
    "",
    "Schicken Sie diese Datei bitte im Anhang einer E-Mail an \"" LORVEX_SUPPORT_EMAIL "\".",
    "Weitere Informationen k\xF6nnen Sie der Datei \"diagnostic_readme.txt\" entnehmen,",
    "die sich ebenfalls im  Installationsverzeichnis befindet.",
};

std::string informationMessage() {
  std::string text = kInformationLines[0];
  for (size_t i = 1; i < std::size(kInformationLines); ++i)
    text += std::string("\n") + kInformationLines[i];
  return text;
}

const Box kInformationBox = {informationMessage(), "Information"};
const Box kCannotStartBox = {"Kann die Applikation nicht starten!", "Error"};

Box missingFileBox(const std::string& name) {
  return {"Konnte die Datei " + name + " nicht finden!", "Error"};
}

Box directoryBox(const std::string& path) {
  return {"Konnte das Verzeichns '" + path + "' nicht anlegen!", "Error"};
}

// Lines as a log holds them: each followed by CR LF.
std::string lines(const std::vector<std::string>& texts) {
  std::string bytes;
  for (const std::string& text : texts) bytes += text + "\r\n";
  return bytes;
}

// The Java runtime's path as the command line starts: enclosed in quotes
// when the installation's path holds a blank or tab, bare otherwise.
std::string javaPath(const Installation& installation) {
  std::string java = installation.path("java\\bin\\java.exe");
  bool blank = java.find_first_of(" \t") != std::string::npos;
  return blank ? "\"" + java + "\"" : java;
}

std::string commandLine(const Installation& installation, const std::string& argumentText) {
  return javaPath(installation) + " " + argumentText;
}

std::string header(const std::string& commandLine) {
  return "\r\n----------\r\n" + commandLine + "\r\n";
}

// What the stand-in writes when it runs with this command line and argv.
std::string standInReport(const std::string& commandLine, const std::vector<std::string>& argv) {
  std::vector<std::string> report = {"cmdline=[" + commandLine + "]"};
  for (size_t i = 0; i < argv.size(); ++i)
    report.push_back("argv[" + std::to_string(i) + "]=[" + argv[i] + "]");
  report.push_back("stderr=[stand-in]");
  return lines(report);
}

struct TraceParts {
  std::vector<std::string> scan;  // the lines of the argument scan
  std::string propertyFile = kPropertyFile;
  std::string created = "file created!";
  bool started = true;
};

// The trace's own parts of a run with "-c other.properties".
TraceParts otherFileParts() {
  TraceParts parts;
  parts.scan = {"load another property file", "extract property", "other.properties"};
  parts.propertyFile = "other.properties";
  return parts;
}

// The trace of a run that reaches the launch of the Java runtime.
std::string launchTrace(const Installation& installation, const TraceParts& parts) {
  std::vector<std::string> trace = {"Starting ...", "check for params"};
  trace.insert(trace.end(), parts.scan.begin(), parts.scan.end());
  std::vector<std::string> rest = {"try to load the properties",
                                   "load property file",
                                   parts.propertyFile,
                                   "execute command",
                                   "dir exists: ",
                                   installation.path("Zantiq-Portable"),
                                   "dir exists: ",
                                   installation.path("Zantiq-Portable\\zantiq"),
                                   "diagnostic.log path created!",
                                   installation.path("Zantiq-Portable\\zantiq\\diagnostic.log."),
                                   "try to create file",
                                   parts.created,
                                   "try to create process"};
  trace.insert(trace.end(), rest.begin(), rest.end());
  if (parts.started) trace.push_back("process created");
  return lines(trace);
}

// Compares two byte texts; a long one is shown only around its first
// difference, so that a failure stays readable.
::testing::AssertionResult sameBytes(const std::string& actual, const std::string& expected) {
  if (actual == expected) return ::testing::AssertionSuccess();
  if (actual.size() + expected.size() < 4000)
    return ::testing::AssertionFailure() << "actual:\n"
                                         << ::testing::PrintToString(actual) << "\nexpected:\n"
                                         << ::testing::PrintToString(expected);
  size_t at =
      std::mismatch(actual.begin(), actual.begin() + std::min(actual.size(), expected.size()),
                    expected.begin())
          .first -
      actual.begin();
  size_t from = at < 60 ? 0 : at - 60;
  return ::testing::AssertionFailure()
         << actual.size() << " bytes, expected " << expected.size() << "; first difference at "
         << at << ":\nactual:   " << ::testing::PrintToString(actual.substr(from, 160))
         << "\nexpected: " << ::testing::PrintToString(expected.substr(from, 160));
}

void expectBoxes(const RunResult& run, const std::vector<Box>& expected) {
  std::string shown;
  for (const Box& box : run.boxes) shown += "\n  " + box.title + ": " + box.text.substr(0, 200);
  ASSERT_EQ(run.boxes.size(), expected.size()) << "boxes shown:" << shown;
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_TRUE(sameBytes(run.boxes[i].text, expected[i].text)) << "box " << i;
    EXPECT_EQ(run.boxes[i].title, expected[i].title) << "box " << i;
  }
}

// The launcher, the stand-in Java runtime and this property file.
void equip(const Installation& installation, const std::string& properties) {
  installation.copyLauncher();
  installation.copyJava();
  installation.write(kPropertyFile, properties);
}

class Launcher : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { SetErrorMode(SEM_NOGPFAULTERRORBOX); }
};

TEST_F(Launcher, StartsJavaWithThePropertyWordsAndLogsItsOutput) {
  // A fresh installation: the directories are made silently before the trace
  // log opens, so the traced second preparation finds both.
  Installation installation("normal");
  equip(installation, "-Xmx256m\r\n  -jar\tclient.jar\r\n");

  RunResult run = installation.runLauncher("");

  EXPECT_TRUE(run.ended);
  EXPECT_EQ(run.exitCode, 0u);
  expectBoxes(run, {kInformationBox});
  EXPECT_TRUE(sameBytes(installation.read(kTraceLog), launchTrace(installation, {})));
  std::string command = commandLine(installation, "-Xmx256m -jar client.jar  ");
  EXPECT_TRUE(
      sameBytes(installation.diagnosticLog(run),
                header(command) + standInReport(command, {installation.path("java\\bin\\java.exe"),
                                                          "-Xmx256m", "-jar", "client.jar"})));
}

TEST_F(Launcher, AppendsASecondRunToTheDayLogAndRewritesTheTrace) {
  Installation installation("second");
  equip(installation, "first");
  installation.write("other.properties", "second");

  RunResult first = installation.runLauncher("");
  RunResult second = installation.runLauncher("-c other.properties");

  if (first.dateBefore != second.dateAfter) GTEST_SKIP() << "the runs crossed midnight";
  std::string java = installation.path("java\\bin\\java.exe");
  std::string firstCommand = commandLine(installation, "first ");
  std::string secondCommand = commandLine(installation, "second ");
  EXPECT_TRUE(sameBytes(installation.diagnosticLog(second),
                        header(firstCommand) + standInReport(firstCommand, {java, "first"}) +
                            header(secondCommand) +
                            standInReport(secondCommand, {java, "second"})));
  EXPECT_TRUE(sameBytes(installation.read(kTraceLog), launchTrace(installation, otherFileParts())));
}

TEST_F(Launcher, WaitsForTheJavaRuntimeToEnd) {
  Installation installation("wait");
  equip(installation, "");

  // The stand-in reports only after its sleep: its lines are in the log
  // when the launcher has ended only if the launcher waited for it.
  RunResult run = installation.runLauncher("", {{"LORVEX_STANDIN_SLEEP_MS", "1500"}});

  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_GE(run.elapsedMs, 1500u);
  std::string command = commandLine(installation, " ");
  EXPECT_TRUE(sameBytes(
      installation.diagnosticLog(run),
      header(command) + standInReport(command, {installation.path("java\\bin\\java.exe")})));
}

TEST_F(Launcher, EndsWithZeroWhateverTheJavaRuntimeReturns) {
  Installation installation("exitcode");
  equip(installation, "");

  RunResult run = installation.runLauncher("", {{"LORVEX_STANDIN_EXIT", "3"}});

  EXPECT_EQ(run.exitCode, 0u);
  expectBoxes(run, {kInformationBox});
}

// The option -c and the name of another property file, as the user types
// them after the program's name.
TEST_F(Launcher, ReadsThePropertyFileNamedAfterTheOption) {
  const std::vector<std::string> withName = otherFileParts().scan;
  struct Case {
    std::string arguments;
    std::vector<std::string> scan;
  } cases[] = {
      {"-c other.properties", withName},
      {"-cother.properties", withName},
      {"-x -c other.properties", withName},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments);
    Installation installation("option");
    equip(installation, "default");
    installation.write("other.properties", "-Dfrom=other");

    RunResult run = installation.runLauncher(c.arguments);

    EXPECT_EQ(run.exitCode, 0u);
    expectBoxes(run, {kInformationBox});
    TraceParts parts;
    parts.scan = c.scan;
    parts.propertyFile = "other.properties";
    EXPECT_TRUE(sameBytes(installation.read(kTraceLog), launchTrace(installation, parts)));
    std::string command = commandLine(installation, "-Dfrom=other ");
    EXPECT_TRUE(sameBytes(
        installation.diagnosticLog(run),
        header(command) +
            standInReport(command, {installation.path("java\\bin\\java.exe"), "-Dfrom=other"})));
  }
}

TEST_F(Launcher, EndsWithMinusOneWhenThePropertyFileIsMissing) {
  struct Case {
    std::string arguments;
    std::vector<std::string> scan;
    std::string name;  // the name the launcher looks for
  } cases[] = {
      {"", {}, kPropertyFile},
      {"-c missing.properties",
       {"load another property file", "extract property", "missing.properties"},
       "missing.properties"},
      // -c alone names no file: the working directory itself can't be read.
      {"-c", {"load another property file"}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments);
    Installation installation("missing");
    installation.copyLauncher();
    installation.copyJava();

    RunResult run = installation.runLauncher(c.arguments);

    EXPECT_EQ(run.exitCode, kFailed);
    expectBoxes(run, {missingFileBox(c.name)});
    std::vector<std::string> trace = {"Starting ...", "check for params"};
    trace.insert(trace.end(), c.scan.begin(), c.scan.end());
    for (std::string line :
         {std::string("try to load the properties"), std::string("load property file"), c.name,
          missingFileBox(c.name).text})
      trace.push_back(line);
    EXPECT_TRUE(sameBytes(installation.read(kTraceLog), lines(trace)));
    // Nothing was started: no diagnostic log exists.
    EXPECT_FALSE(installation.exists(std::string(kLogDir) + "\\diagnostic.log." + run.dateBefore));
  }
}

TEST_F(Launcher, ReportsAJavaRuntimeThatCannotStart) {
  Installation installation("nojava");
  installation.copyLauncher();
  installation.write(kPropertyFile, "-jar client.jar");

  RunResult run = installation.runLauncher("");

  EXPECT_EQ(run.exitCode, 0u);
  expectBoxes(run, {kInformationBox, kCannotStartBox});
  TraceParts parts;
  parts.started = false;
  EXPECT_TRUE(sameBytes(installation.read(kTraceLog), launchTrace(installation, parts)));
  EXPECT_TRUE(sameBytes(installation.diagnosticLog(run),
                        header(commandLine(installation, "-jar client.jar "))));
}

TEST_F(Launcher, ShowsBothDirectoryFailuresInEachPassWhenAFileBlocksTheTree) {
  Installation installation("blocked");
  equip(installation, "");
  installation.write("Zantiq-Portable", "a file, not a directory");

  RunResult run = installation.runLauncher("");

  EXPECT_EQ(run.exitCode, 0u);
  Box outer = directoryBox(installation.path("Zantiq-Portable"));
  Box inner = directoryBox(installation.path("Zantiq-Portable\\zantiq"));
  expectBoxes(run, {outer, inner, kInformationBox, outer, inner});
  EXPECT_FALSE(installation.exists(kTraceLog));
  EXPECT_FALSE(installation.exists(std::string(kLogDir) + "\\diagnostic.log." + run.dateBefore));
}

TEST_F(Launcher, QuotesTheJavaPathOfAnInstallationWithABlank) {
  Installation installation("with blank");
  ASSERT_NE(installation.dir().find(' '), std::string::npos);
  equip(installation, "-Dname=\"a b\" -jar client.jar");

  RunResult run = installation.runLauncher("");

  EXPECT_EQ(run.exitCode, 0u);
  expectBoxes(run, {kInformationBox});
  std::string java = installation.path("java\\bin\\java.exe");
  std::string command = "\"" + java + "\" -Dname=\"a b\" -jar client.jar ";
  EXPECT_TRUE(sameBytes(
      installation.diagnosticLog(run),
      header(command) + standInReport(command, {java, "-Dname=a b", "-jar", "client.jar"})));
  EXPECT_TRUE(sameBytes(installation.read(kTraceLog), launchTrace(installation, {})));
}

TEST_F(Launcher, FindsTheOptionAfterAProgramNameWithHighBytes) {
  // The start-up code of the runtime cuts the program's name at a byte of
  // 0x80 or above; the launcher must skip the whole name all the same.
  Installation installation("highbyte");
  installation.copyLauncher("Lorvex\xE4.exe");
  installation.copyJava();
  installation.write(kPropertyFile, "default");
  installation.write("other.properties", "other");

  RunResult run = installation.runLauncher("-c other.properties", {}, "Lorvex\xE4.exe");

  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_TRUE(sameBytes(installation.read(kTraceLog), launchTrace(installation, otherFileParts())));
}

TEST_F(Launcher, TracesADiagnosticLogThatCannotBeCreatedAndGoesOn) {
  Installation installation("nolog");
  equip(installation, "");
  std::string date = todaySuffix();
  // A directory in the place of today's log: the launcher can't open it.
  installation.makeDirectory(std::string(kLogDir) + "\\diagnostic.log." + date);

  RunResult run = installation.runLauncher("");

  if (run.dateAfter != date) GTEST_SKIP() << "the run crossed midnight";
  EXPECT_EQ(run.exitCode, 0u);
  expectBoxes(run, {kInformationBox});
  TraceParts parts;
  parts.created = "could not create file";
  EXPECT_TRUE(sameBytes(installation.read(kTraceLog), launchTrace(installation, parts)));
}

TEST_F(Launcher, TakesANulInThePropertyFileAsASeparator) {
  Installation installation("nul");
  equip(installation, std::string("a\0b", 3));

  RunResult run = installation.runLauncher("");

  EXPECT_TRUE(run.ended);
  EXPECT_EQ(run.exitCode, 0u);
  std::string command = commandLine(installation, "a b ");
  EXPECT_TRUE(
      sameBytes(installation.diagnosticLog(run),
                header(command) +
                    standInReport(command, {installation.path("java\\bin\\java.exe"), "a", "b"})));
}

TEST_F(Launcher, PassesLongWordsAndLongArgumentTextsWhole) {
  Installation installation("long");
  installation.copyLauncher();
  installation.copyJava();
  // One word far beyond 104 bytes, and a text far beyond 8048 bytes.
  std::vector<std::string> words = {"-Dlong=" + std::string(300, 'w')};
  for (int i = 0; i < 90; ++i)
    words.push_back("-Dword" + std::to_string(i) + "=" + std::string(100, 'x'));
  std::string text;
  for (const std::string& word : words) text += word + " ";
  ASSERT_GT(text.size(), 9000u);
  installation.write(kPropertyFile, text);

  RunResult run = installation.runLauncher("");

  EXPECT_EQ(run.exitCode, 0u);
  expectBoxes(run, {kInformationBox});
  // The file ends in a separator: the empty last word adds one more blank.
  std::string command = commandLine(installation, text + " ");
  std::vector<std::string> argv = {installation.path("java\\bin\\java.exe")};
  argv.insert(argv.end(), words.begin(), words.end());
  EXPECT_TRUE(
      sameBytes(installation.diagnosticLog(run), header(command) + standInReport(command, argv)));
}

TEST_F(Launcher, NamesAVeryLongMissingPropertyFileWhole) {
  Installation installation("longname");
  installation.copyLauncher();
  std::string name(9000, 'n');

  RunResult run = installation.runLauncher("-c " + name);

  EXPECT_EQ(run.exitCode, kFailed);
  expectBoxes(run, {missingFileBox(name)});
  EXPECT_TRUE(sameBytes(installation.read(kTraceLog),
                        lines({"Starting ...", "check for params", "load another property file",
                               "extract property", name, "try to load the properties",
                               "load property file", name, missingFileBox(name).text})));
}

TEST_F(Launcher, FailsToStartACommandLineBeyondTheSystemLimit) {
  Installation installation("toolong");
  installation.copyLauncher();
  installation.copyJava();
  std::string text;
  while (text.size() < 40000) text += "-Dfill=" + std::string(100, 'f') + " ";
  installation.write(kPropertyFile, text);

  RunResult run = installation.runLauncher("");

  EXPECT_EQ(run.exitCode, 0u);
  expectBoxes(run, {kInformationBox, kCannotStartBox});
  TraceParts parts;
  parts.started = false;
  EXPECT_TRUE(sameBytes(installation.read(kTraceLog), launchTrace(installation, parts)));
  EXPECT_TRUE(
      sameBytes(installation.diagnosticLog(run), header(commandLine(installation, text + " "))));
}

// Two launchers on the same day share one diagnostic log. Both open it
// before either Java runtime writes; the stand-ins then write their bursts
// one after the other (Wine does not make two processes' appends atomic
// when they meet at the very same moment).
TEST_F(Launcher, LosesNoLineWhenTwoLaunchersShareTheDayLog) {
  Installation installation("shared");
  installation.copyLauncher();
  installation.copyJava();
  installation.write("a.properties", "-Drun=a");
  installation.write("b.properties", "-Drun=b");
  std::string id = std::to_string(GetCurrentProcessId());
  std::string startedName = "lorvex-e2e-started-" + id, goName = "lorvex-e2e-go-" + id;
  HANDLE started = CreateSemaphoreA(nullptr, 0, 2, startedName.c_str());
  HANDLE go = CreateEventA(nullptr, TRUE, FALSE, goName.c_str());
  ASSERT_TRUE(started && go);
  const int kBurst = 2000;
  auto environment = [&](const std::string& tag) {
    return Environment{{"LORVEX_STANDIN_STARTED", startedName},
                       {"LORVEX_STANDIN_GO", goName},
                       {"LORVEX_STANDIN_MUTEX", "lorvex-e2e-mutex-" + id},
                       {"LORVEX_STANDIN_TAG", tag},
                       {"LORVEX_STANDIN_BURST", std::to_string(kBurst)}};
  };

  RunResult runs[2];
  std::thread first(
      [&] { runs[0] = finish(installation.startLauncher("-c a.properties", environment("a"))); });
  std::thread second(
      [&] { runs[1] = finish(installation.startLauncher("-c b.properties", environment("b"))); });
  // Both stand-ins running means both launchers have opened the log and
  // written their headers.
  bool bothStarted = WaitForSingleObject(started, 30000) == WAIT_OBJECT_0 &&
                     WaitForSingleObject(started, 30000) == WAIT_OBJECT_0;
  SetEvent(go);
  first.join();
  second.join();
  CloseHandle(started);
  CloseHandle(go);
  ASSERT_TRUE(bothStarted);
  if (runs[0].dateBefore != runs[1].dateAfter) GTEST_SKIP() << "the runs crossed midnight";

  std::string log = installation.diagnosticLog(runs[0]);
  std::string java = installation.path("java\\bin\\java.exe");
  std::string headers[2], outputs[2];
  const char* tags[2] = {"a", "b"};
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(runs[i].exitCode, 0u);
    expectBoxes(runs[i], {kInformationBox});
    std::string command = commandLine(installation, std::string("-Drun=") + tags[i] + " ");
    headers[i] = header(command);
    outputs[i] = standInReport(command, {java, std::string("-Drun=") + tags[i]});
    for (int n = 1; n <= kBurst; ++n)
      outputs[i] += std::string(tags[i]) + " line " + std::to_string(n) + " of " +
                    std::to_string(kBurst) + "\r\n";
  }
  // The headers come in the order the launchers opened the log, the outputs
  // in the order the stand-ins took the mutex.
  std::vector<std::string> accepted;
  for (int h = 0; h < 2; ++h)
    for (int o = 0; o < 2; ++o)
      accepted.push_back(headers[h] + headers[1 - h] + outputs[o] + outputs[1 - o]);
  EXPECT_TRUE(std::find(accepted.begin(), accepted.end(), log) != accepted.end())
      << "log of " << log.size() << " bytes, expected " << accepted[0].size();
}

}  // namespace
}  // namespace e2e
