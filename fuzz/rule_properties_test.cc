// Properties of the small pure rules over many generated inputs: each rule's
// result read back the way its reader reads it. A fixed seed keeps every run
// the same.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "arguments.h"
#include "paths.h"
#include "temporary_title.h"
#include "texts.h"
#include "utc_offset.h"

namespace {

constexpr int kRounds = 100000;

std::vector<std::string> splitOn(const std::string& text, char separator) {
  std::vector<std::string> parts(1);
  for (const char c : text) {
    if (c == separator) {
      parts.emplace_back();
    } else {
      parts.back() += c;
    }
  }
  return parts;
}

TEST(LogDateSuffix, ReadsBackAsTheDateInDecimalWithoutLeadingZeros) {
  std::mt19937 random(1);
  std::uniform_int_distribution<unsigned> any;
  for (int round = 0; round < kRounds; ++round) {
    // Half of the rounds near real dates, half over every unsigned value.
    const unsigned date[3] = {round % 2 ? any(random) : 1601 + any(random) % 29000,
                              round % 2 ? any(random) : any(random) % 13,
                              round % 2 ? any(random) : any(random) % 32};
    const std::string suffix = lorvex::logDateSuffix(date[0], date[1], date[2]);
    const std::vector<std::string> parts = splitOn(suffix, '-');
    ASSERT_EQ(parts.size(), 3u) << suffix;
    for (int i = 0; i < 3; ++i) {
      ASSERT_FALSE(parts[i].empty()) << suffix;
      ASSERT_EQ(parts[i].find_first_not_of("0123456789"), std::string::npos) << suffix;
      ASSERT_TRUE(parts[i] == "0" || parts[i][0] != '0') << suffix;
      ASSERT_EQ(std::stoull(parts[i]), date[i]) << suffix;
    }
  }
}

// The first argument as the system and the C runtime split a command line:
// in quotes up to the closing quote, otherwise up to a blank or tab.
std::string firstArgument(const std::string& commandLine) {
  if (!commandLine.empty() && commandLine[0] == '"') {
    return commandLine.substr(1, commandLine.find('"', 1) - 1);
  }
  return commandLine.substr(0, commandLine.find_first_of(" \t"));
}

bool noLeadByte(unsigned char) { return false; }

TEST(JavaCommandLine, HandsTheRuntimeItsPathAndTheArgumentTextWhole) {
  // Bytes a working directory may hold (never a double quote), and bytes of
  // an argument text, blanks, quotes and controls among them.
  const std::string directoryBytes = "C:\\ab. \t_-()\xE4\xFC\x81\xA0";
  const std::string argumentBytes = "-Dx=\" \t\\ab\x01\x1F\xE4";
  std::mt19937 random(2);
  auto generate = [&](const std::string& alphabet, std::size_t maxLength) {
    std::string text(random() % (maxLength + 1), ' ');
    for (char& c : text) c = alphabet[random() % alphabet.size()];
    return text;
  };
  for (int round = 0; round < kRounds; ++round) {
    const std::string directory = generate(directoryBytes, 40);
    const std::string argumentText = generate(argumentBytes, 40);
    const std::string commandLine = lorvex::javaCommandLine(directory, argumentText);
    const std::string program = directory + "\\" + lorvex::kJavaRuntime;

    ASSERT_EQ(firstArgument(commandLine), program) << commandLine;
    ASSERT_EQ(commandLine[0] == '"', program.find_first_of(" \t") != std::string::npos)
        << "quoted exactly when the path holds a blank or tab: " << commandLine;
    ASSERT_EQ(commandLine.substr(commandLine.size() - argumentText.size() - 1),
              " " + argumentText);
    // The launcher's own rule for the program's name finds the same end.
    const std::size_t start = argumentText.find_first_not_of(
        std::string("\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A\x0B\x0C\x0D\x0E\x0F"
                    "\x10\x11\x12\x13\x14\x15\x16\x17\x18\x19\x1A\x1B\x1C\x1D\x1E\x1F\x20"));
    ASSERT_EQ(lorvex::argumentTextFromCommandLine(commandLine.c_str(), noLeadByte),
              start == std::string::npos ? "" : argumentText.substr(start))
        << commandLine;
  }
}

TEST(MakeTemporaryTitle, SpellsEveryTickCountSoThatItReadsBack) {
  std::mt19937 random(3);
  for (int round = 0; round < kRounds; ++round) {
    const uint32_t tick = round < 64 ? (uint32_t{1} << (round % 32)) ^ (0u - round / 32)
                                     : static_cast<uint32_t>(random());
    char title[temporaryTitleSize];
    std::fill(title, title + temporaryTitleSize, '?');
    makeTemporaryTitle(tick, title);
    ASSERT_EQ(title[temporaryTitleSize - 1], '\0');
    ASSERT_EQ(std::string(title, 2), "W:");
    uint32_t readBack = 0;
    for (std::size_t i = 2; i < temporaryTitleSize - 1; ++i) {
      ASSERT_GE(title[i], 'A') << title;
      ASSERT_LE(title[i], 'P') << title;
      if (i >= 10) {
        ASSERT_EQ(title[i], 'A') << title;
      } else {
        readBack |= static_cast<uint32_t>(title[i] - 'A') << (4 * (i - 2));
      }
    }
    ASSERT_EQ(readBack, tick) << title;
  }
}

TEST(UtcOffsetMillis, CountsOnlyTheBiasInForceInWholeMinutes) {
  std::mt19937 random(4);
  std::uniform_int_distribution<int32_t> any(INT32_MIN, INT32_MAX);
  for (int round = 0; round < kRounds; ++round) {
    const uint32_t status = round % 4 == 3 ? random() : round % 4;
    const int32_t bias = any(random), standard = any(random), daylight = any(random);
    const int64_t offset = utcOffsetMillis(status, bias, standard, daylight);
    ASSERT_EQ(offset % 60000, 0);
    if (status != kTimeZoneStandard) {
      ASSERT_EQ(utcOffsetMillis(status, bias, 0, daylight), offset);
    }
    if (status != kTimeZoneDaylight) {
      ASSERT_EQ(utcOffsetMillis(status, bias, standard, 0), offset);
    }
    if (bias < INT32_MAX) {
      ASSERT_EQ(utcOffsetMillis(status, bias + 1, standard, daylight), offset - 60000);
    }
  }
}

}  // namespace
