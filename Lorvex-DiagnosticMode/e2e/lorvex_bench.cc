// Benchmark of the launcher's output capture: a writer in the place of the
// Java runtime writes 300 MiB to its standard output, which the launcher
// hands over as the diagnostic log. In the same run, alternating, the same
// writer is started by the least launcher that gives the same result, and
// writes a file it opened itself. Each writer times only its own write loop;
// the medians and ratios of several rounds are printed. Nothing here fails
// on a figure: it fails only when a log lacks bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "installation.h"

namespace e2e {
namespace {

const long long kMiB = 1024 * 1024;
const long long kBenchMiB = 300;

enum Mode { kLauncher, kLeast, kOwnFile };
const char* const kModeNames[] = {"launcher", "least launcher", "own file"};

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The write loop's elapsed and processor seconds.
struct Timing {
  double seconds = -1;
  double cpuSeconds = -1;
};

class Bench {
 public:
  Bench() : installation_("bench") {
    installation_.copyLauncher();
    installation_.makeDirectory("java\\bin");
    installation_.copyBuilt(BENCH_WRITER_EXE, "java\\bin\\java.exe");
    installation_.copyBuilt(LEAST_LAUNCHER_EXE, "least_launcher.exe");
    installation_.write("portable.properties", "");
  }

  // Runs the writer once in that mode and gives the times of its write
  // loop, negative when the run failed.
  Timing run(Mode mode) {
    std::string report = installation_.path("report.txt");
    installation_.remove("report.txt");
    Environment environment = {{"LORVEX_BENCH_REPORT", report},
                               {"LORVEX_BENCH_MIB", std::to_string(kBenchMiB)},
                               {"LORVEX_BENCH_SETTLE_MS", "1000"}};
    // The launcher's command line with an empty property file; the other
    // modes start the writer with it too, so that every log holds the same
    // header and then the writer's bytes.
    std::string command = installation_.path("java\\bin\\java.exe") + "  ";
    std::string logName;
    if (mode == kLauncher) {
      RunResult result = installation_.runLauncher("", environment);
      EXPECT_EQ(result.exitCode, 0u);
      logName = std::string(kLogDir) + "\\diagnostic.log." + result.dateBefore;
    } else if (mode == kLeast) {
      logName = "least.log";
      std::string least = "\"" + installation_.path("least_launcher.exe") + "\" \"" +
                          installation_.path(logName) + "\" \"" + command + "\"";
      EXPECT_EQ(finish(start(least, installation_.dir(), environment)).exitCode, 0u);
    } else {
      logName = "own.log";
      environment.push_back({"LORVEX_BENCH_OUT", installation_.path(logName)});
      RunResult result =
          finish(start(command, installation_.dir(), environment, CREATE_NEW_CONSOLE));
      EXPECT_EQ(result.exitCode, 0u);
    }
    // The header: CR LF, ten hyphens, CR LF, the command line, CR LF.
    long long expected = 14 + command.size() + 2 + kBenchMiB * kMiB;
    EXPECT_EQ(installation_.size(logName), expected) << kModeNames[mode];
    installation_.remove(logName);  // 300 MiB each: keep the disk free
    return readTiming(report);
  }

 private:
  static Timing readTiming(const std::string& report) {
    FILE* file = std::fopen(report.c_str(), "r");
    Timing timing;
    long chunks = -1;
    if (file != nullptr) {
      if (std::fscanf(file, "%lf %lf %ld", &timing.seconds, &timing.cpuSeconds, &chunks) != 3 ||
          chunks < 0)
        timing = Timing();
      std::fclose(file);
    }
    return timing;
  }

  Installation installation_;
};

TEST(LauncherBench, CapturesOutputAsFastAsTheLeastLauncher) {
  SetErrorMode(SEM_NOGPFAULTERRORBOX);
  const char* roundsSetting = std::getenv("LORVEX_BENCH_ROUNDS");
  int rounds = std::max(1, std::atoi(roundsSetting != nullptr ? roundsSetting : "7"));
  Bench bench;
  // One untimed pass first: the first start of each program and the first
  // write of a large file are slower under Wine and would skew one mode.
  for (Mode mode : {kLauncher, kLeast, kOwnFile}) ASSERT_GT(bench.run(mode).seconds, 0);
  std::map<Mode, std::vector<double>> throughput, cpu;  // MiB/s, s
  for (int round = 0; round < rounds; ++round) {
    // The order turns from round to round, so that no mode always runs first.
    for (int step = 0; step < 3; ++step) {
      Mode mode = static_cast<Mode>((round + step) % 3);
      Timing timing = bench.run(mode);
      ASSERT_GT(timing.seconds, 0) << kModeNames[mode] << ": the writer reported nothing";
      throughput[mode].push_back(kBenchMiB / timing.seconds);
      cpu[mode].push_back(timing.cpuSeconds);
      std::printf("round %d  %-15s %7.3f s  %8.1f MiB/s  cpu %.3f s\n", round + 1,
                  kModeNames[mode], timing.seconds, kBenchMiB / timing.seconds, timing.cpuSeconds);
    }
  }
  std::printf("\nmedians over %d rounds of %lld MiB (64 KiB writes):\n", rounds, kBenchMiB);
  for (Mode mode : {kLauncher, kLeast, kOwnFile})
    std::printf("  %-15s %8.1f MiB/s  cpu %.3f s\n", kModeNames[mode], median(throughput[mode]),
                median(cpu[mode]));
  std::printf("launcher / least launcher: %.3f (aim: at least 0.95); processor time %.3f\n",
              median(throughput[kLauncher]) / median(throughput[kLeast]),
              median(cpu[kLeast]) / median(cpu[kLauncher]));
  std::printf("least launcher / own file: %.3f; processor time %.3f\n",
              median(throughput[kLeast]) / median(throughput[kOwnFile]),
              median(cpu[kOwnFile]) / median(cpu[kLeast]));
  std::fflush(stdout);
}

}  // namespace
}  // namespace e2e
