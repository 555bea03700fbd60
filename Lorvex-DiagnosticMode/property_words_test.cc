#include "property_words.h"

#include <gtest/gtest.h>

#include <string>

namespace lorvex {
namespace {

// Builds a std::string from a literal that may hold NUL bytes.
template <std::size_t N>
std::string bytes(const char (&literal)[N]) {
  return std::string(literal, N - 1);
}

TEST(TextModeContent, ReadsCrLfAsLfAndEndsAtCtrlZ) {
  struct Case {
    std::string file;
    std::string content;
  } cases[] = {
      {"a\r\nb\r\n", "a\nb\n"},
      {"a\rb\r", "a\rb\r"},
      {"a\r\r\nb", "a\r\nb"},
      {"a\x1A" "b", "a"},
      {"a\r\x1A\nb", "a\r"},
      {"\x1A", ""},
      {bytes("a\0b"), bytes("a\0b")},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(textModeContent(c.file), c.content);
  }
}

TEST(PropertyWords, JoinsWordsWithOneBlankUpToTheEndMarker) {
  struct Case {
    std::string content;
    std::string argumentText;
  } cases[] = {
      {"-Xmx256m -jar client.jar\n", "-Xmx256m -jar client.jar  "},
      {"-Xmx256m -jar client.jar", "-Xmx256m -jar client.jar "},
      {"", " "},
      {" \t\n ", " "},
      {"-Xmx256m\n/**\nnotes -jar x", "-Xmx256m "},
      {"/**", ""},
      {"/**\n-Xmx256m", ""},
      {"  a\t\n  b\n", "a b  "},
      {"a\t\v\f\r\n  b", "a b "},
      {"/**x x/** /*", "/**x x/** /* "},
      {"# // \"quoted\"", "# // \"quoted\" "},
      // Quotes hold no separator together; one blank inside comes back as it was.
      {"-Dpath=\"C:\\a b\" -jar", "-Dpath=\"C:\\a b\" -jar "},
      {"-Dpath=\"C:\\a  b\"", "-Dpath=\"C:\\a b\" "},
      {"-Dname=\xA0\xE4\x7F\x01", "-Dname=\xA0\xE4\x7F\x01 "},
      // A NUL ends a word and is passed over like a separator.
      {bytes("a\0b"), "a b "},
      {bytes("a\0\0 b\0"), "a b  "},
      {bytes("\0"), " "},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(propertyWords(c.content), c.argumentText);
  }
}

TEST(PropertyWords, KeepsLongWordsWhole) {
  const std::string word(5000, 'w');
  EXPECT_EQ(propertyWords("-a " + word + " -b"), "-a " + word + " -b ");
  const std::string words = std::string(104, 'x') + " " + std::string(103, 'y');
  EXPECT_EQ(propertyWords(words), words + " ");
}

TEST(PropertyWords, ReadsTheFileAsTheLauncherDoes) {
  EXPECT_EQ(propertyWords(textModeContent("-Xmx256m\r\n-jar client.jar\r\n")),
            "-Xmx256m -jar client.jar  ");
  EXPECT_EQ(propertyWords(textModeContent("a\x1A" "b")), "a ");
  EXPECT_EQ(propertyWords(textModeContent("a \x1A" "b")), "a  ");
}

}  // namespace
}  // namespace lorvex
