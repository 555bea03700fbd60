#include "arguments.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lorvex {
namespace {

bool noLeadByte(unsigned char) { return false; }
// As in a double-byte code page whose lead bytes are 0x81 to 0x9F.
bool leadByte81To9F(unsigned char byte) { return byte >= 0x81 && byte <= 0x9F; }

TEST(ArgumentTextFromCommandLine, RemovesTheProgramNameByTheStartUpRule) {
  struct Case {
    const char* commandLine;
    const char* argumentText;
  } cases[] = {
      {"Lorvex.exe", ""},
      {"\"C:\\Apps\\Lorvex.exe\"", ""},
      {"Lorvex.exe   ", ""},
      {"\"C:\\Program Files\\Client\\Lorvex.exe\"  -c x.properties", "-c x.properties"},
      {"Lorvex.exe -c my.properties", "-c my.properties"},
      // Bytes of 0x80 and above belong to the name.
      {"C:\\K\xE4se\\Lorvex.exe -c a", "-c a"},
      {"\"C:\\Gr\xFC" "n Zone\\Lorvex.exe\" -c a", "-c a"},
      // Quotes may stand anywhere in the name and need not be balanced.
      {"C:\\\"Program Files\"\\Lorvex.exe -c a", "-c a"},
      {"\"C:\\unbalanced name -c a", ""},
      // Every control character after the name is skipped, not only blanks.
      {"Lorvex.exe\t\r\n\x01 -c a", "-c a"},
      // The rest stays as it is: inner quotes, tabs, trailing blanks.
      {"Lorvex.exe -c \"a b\"\tc  ", "-c \"a b\"\tc  "},
      {"", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(argumentTextFromCommandLine(c.commandLine, noLeadByte), c.argumentText)
        << c.commandLine;
  }
}

TEST(ArgumentTextFromCommandLine, LeadByteTakesItsTrailByteIntoTheName) {
  // The trail byte 0x22 of a double-byte character opens no quote, and the
  // trail byte 0x20 doesn't end the name.
  EXPECT_EQ(argumentTextFromCommandLine("C:\\\x81\"x\\Lorvex.exe -c a", leadByte81To9F),
            "-c a");
  EXPECT_EQ(argumentTextFromCommandLine("C:\\\x81 x\\Lorvex.exe -c a", leadByte81To9F),
            "-c a");
  EXPECT_EQ(argumentTextFromCommandLine("C:\\\x81 x\\Lorvex.exe -c a", noLeadByte),
            "x\\Lorvex.exe -c a");
  // A lead byte at the very end takes no terminator along.
  EXPECT_EQ(argumentTextFromCommandLine("Lorvex\x81", leadByte81To9F), "");
}

TEST(ScanArguments, FindsTheOptionAndTheName) {
  const char* const kLoadAnother = "load another property file";
  const char* const kExtract = "extract property";
  struct Case {
    const char* text;
    bool requested;
    const char* name;
    std::vector<std::string> trace;
  } cases[] = {
      {"", false, "", {}},
      {"-c my.properties", true, "my.properties",
       {kLoadAnother, kExtract, "my.properties"}},
      {"-cmy.properties", true, "my.properties",
       {kLoadAnother, kExtract, "my.properties"}},
      {"my.properties", false, "my.properties", {kExtract, "my.properties"}},
      {"-x -c a b", true, "a b", {kLoadAnother, kExtract, "a b"}},
      {"a -c b", false, "a -c b", {kExtract, "a -c b"}},
      {"- c x", false, "c x", {kExtract, "c x"}},
      {"-c", true, "", {kLoadAnother}},
      {"-c -", true, "", {kLoadAnother}},
      {"-c -c x", true, "x", {kLoadAnother, kLoadAnother, kExtract, "x"}},
      {"-c\tname", true, "\tname", {kLoadAnother, kExtract, "\tname"}},
      {"-c x ", true, "x ", {kLoadAnother, kExtract, "x "}},
      {"-", false, "", {}},
      {"-x -", false, "", {}},
      {"-c \"C:\\a b\\x.properties\"", true, "\"C:\\a b\\x.properties\"",
       {kLoadAnother, kExtract, "\"C:\\a b\\x.properties\""}},
      {"-c gr\xFC" "n.properties", true, "gr\xFC" "n.properties",
       {kLoadAnother, kExtract, "gr\xFC" "n.properties"}},
  };
  for (const Case& c : cases) {
    const ArgumentScan scan = scanArguments(c.text);
    EXPECT_EQ(scan.alternateFileRequested, c.requested) << c.text;
    EXPECT_EQ(scan.alternateFileName, c.name) << c.text;
    EXPECT_EQ(scan.traceLines, c.trace) << c.text;
  }
}

TEST(ScanArguments, KeepsALongNameWhole) {
  const std::string name(20000, 'n');
  const ArgumentScan scan = scanArguments("-c " + name);
  EXPECT_EQ(scan.alternateFileName, name);
}

}  // namespace
}  // namespace lorvex
