// The launcher's pure rules under inputs far larger or stranger than a user
// would give: each keeps every byte it should and ends.
#include <gtest/gtest.h>

#include <string>

#include "arguments.h"
#include "hostile_bytes.h"
#include "property_words.h"

namespace {

bool noLeadByte(unsigned char) { return false; }

const std::size_t kMegabyte = 1 << 20;


TEST(PropertyFile, HostileContents) {
  struct Case {
    const char* what;
    std::string file;
    std::string argumentText;
  } cases[] = {
      {"one word of 1 MB", std::string(kMegabyte, 'w'), std::string(kMegabyte, 'w') + " "},
      {"1 MB of separators only", std::string(kMegabyte / 2, ' ') + std::string(kMegabyte / 2, '\n'),
       " "},
      {"a NUL first", std::string("\0-Xmx1g\r\n-jar a.jar", 19), "-Xmx1g -jar a.jar "},
      {"1 MB of words ended early by an end marker",
       "a b\n/**\n" + std::string(kMegabyte, 'x'), "a b "},
      {"1 MB after a Ctrl-Z", "a\x1A" + std::string(kMegabyte, 'x'), "a "},
      {"empty", "", " "},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(lorvex::propertyWords(lorvex::textModeContent(c.file)), c.argumentText) << c.what;
  }
}

TEST(PropertyFile, EveryByteValueInAMegabyte) {
  const std::string file = everyByteValue(kMegabyte);
  const std::string text = lorvex::propertyWords(lorvex::textModeContent(file));
  EXPECT_EQ(text.find_first_of(std::string("\t\n\v\f\r\0", 6)), std::string::npos);
  EXPECT_LE(text.size(), file.size() + 1);
  EXPECT_GT(text.size(), file.size() / 2);  // the words of the whole file, not a part
  EXPECT_NE(text.find('\x80'), std::string::npos);
  EXPECT_NE(text.find('\xFF'), std::string::npos);
  // With one Ctrl-Z in the middle, the words of the first half only.
  std::string ended = file;
  ended[kMegabyte / 2] = '\x1A';
  EXPECT_LT(lorvex::propertyWords(lorvex::textModeContent(ended)).size(), kMegabyte / 2 + 2);
}

TEST(ArgumentText, FortyThousandBytesStayWhole) {
  const std::string name(40000, 'n');
  EXPECT_EQ(lorvex::argumentTextFromCommandLine(("Lorvex.exe -c " + name).c_str(), noLeadByte),
            "-c " + name);
  EXPECT_EQ(lorvex::argumentTextFromCommandLine(("\"" + name).c_str(), noLeadByte), "");

  const lorvex::ArgumentScan scan = lorvex::scanArguments("-c " + name);
  EXPECT_TRUE(scan.alternateFileRequested);
  EXPECT_EQ(scan.alternateFileName, name);

  std::string options;
  for (int i = 0; i < 10000; ++i) options += "-c  ";
  const lorvex::ArgumentScan many = lorvex::scanArguments(options + "x");
  EXPECT_EQ(many.alternateFileName, "x");
  EXPECT_EQ(many.traceLines.size(), 10002u);
}

}  // namespace
