#include "paths.h"

#include <gtest/gtest.h>

namespace lorvex {
namespace {

TEST(JoinPath, AddsOneBackslashWhateverTheBaseEndsWith) {
  EXPECT_EQ(joinPath("D:\\Apps\\Client", "zantiq"), "D:\\Apps\\Client\\zantiq");
  EXPECT_EQ(joinPath("C:\\", "Zantiq-Portable"), "C:\\\\Zantiq-Portable");
  EXPECT_EQ(joinPath("", "portable.properties"), "\\portable.properties");
  EXPECT_EQ(joinPath("D:\\Apps", ""), "D:\\Apps\\");
}

TEST(LogDateSuffix, WritesTheDateWithoutLeadingZeros) {
  struct Case {
    unsigned year, month, day;
    const char* suffix;
  } cases[] = {
      {2014, 9, 16, "2014-9-16"},
      {2014, 12, 31, "2014-12-31"},
      {2015, 1, 5, "2015-1-5"},
      {2014, 10, 1, "2014-10-1"},
      {2100, 2, 28, "2100-2-28"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(logDateSuffix(c.year, c.month, c.day), c.suffix);
  }
}

TEST(JavaCommandLine, QuotesTheRuntimePathOnlyWhenItHoldsABlankOrTab) {
  struct Case {
    const char* workingDirectory;
    const char* argumentText;
    const char* commandLine;
  } cases[] = {
      {"D:\\Apps\\Client", "-Xmx256m -jar client.jar  ",
       "D:\\Apps\\Client\\java\\bin\\java.exe -Xmx256m -jar client.jar  "},
      {"C:\\Program Files\\Client", "-jar x.jar ",
       "\"C:\\Program Files\\Client\\java\\bin\\java.exe\" -jar x.jar "},
      {"C:\\Tab\there", "a ", "\"C:\\Tab\there\\java\\bin\\java.exe\" a "},
      {"C:\\", " ", "C:\\\\java\\bin\\java.exe  "},
      {"", "", "\\java\\bin\\java.exe "},
      {"C:\\K\xE4se", "a ", "C:\\K\xE4se\\java\\bin\\java.exe a "},
      // Only the runtime's path decides; the arguments are never quoted.
      {"D:\\x", "-Dp=\"a b\" ", "D:\\x\\java\\bin\\java.exe -Dp=\"a b\" "},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(javaCommandLine(c.workingDirectory, c.argumentText), c.commandLine);
  }
}

TEST(JavaCommandLine, KeepsALongCommandLineWhole) {
  const std::string directory = "D:\\" + std::string(300, 'd');
  const std::string arguments(40000, 'a');
  EXPECT_EQ(javaCommandLine(directory, arguments),
            directory + "\\java\\bin\\java.exe " + arguments);
}

}  // namespace
}  // namespace lorvex
