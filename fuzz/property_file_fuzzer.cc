// Fuzzes the property-file reader: a file's bytes in, read in text mode, and
// the Java runtime's argument text out. The expected text is built here by a
// plain split of the content into words, independent of the reader's loop.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "property_words.h"
#include "texts.h"

namespace {

// The separators of a property file: the "C" locale's white space, and NUL.
bool isSeparator(char c) { return c == '\0' || std::strchr(" \t\n\v\f\r", c) != nullptr; }

std::vector<std::string> splitWords(const std::string& content) {
  std::vector<std::string> words;
  std::string word;
  for (const char c : content) {
    if (!isSeparator(c)) {
      word += c;
    } else if (!word.empty()) {
      words.push_back(word);
      word.clear();
    }
  }
  if (!word.empty()) words.push_back(word);
  return words;
}

// Each word followed by one blank, up to the end marker; when no marker ends
// the words, content that is empty or ends in separators has one more, empty
// word, which gives one more blank.
std::string expectedArgumentText(const std::string& content) {
  std::string text;
  for (const std::string& word : splitWords(content)) {
    if (word == lorvex::kPropertyEndMarker) return text;
    text += word + ' ';
  }
  if (content.empty() || isSeparator(content.back())) text += ' ';
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string content = lorvex::textModeContent(bytes);

  const std::size_t end = bytes.find('\x1A');
  require(content.find('\x1A') == std::string::npos, "the content holds no 0x1A");
  if (end != std::string::npos) {
    require(lorvex::textModeContent(bytes.substr(0, end)) == content,
            "nothing after the first 0x1A is taken");
  }
  require(content.size() <= std::min(end, size), "text mode only removes bytes");
  std::size_t carriageReturnLineFeeds = 0;
  for (std::size_t i = 0; i + 1 < std::min(end, size); ++i) {
    if (bytes[i] == '\r' && bytes[i + 1] == '\n') ++carriageReturnLineFeeds;
  }
  require(content.size() == std::min(end, size) - carriageReturnLineFeeds,
          "text mode removes the CR of each CR LF and nothing else");

  const std::string text = lorvex::propertyWords(content);
  for (const char c : text) {
    require(c == ' ' || !isSeparator(c), "the words hold no separator and no NUL");
  }
  require(text == expectedArgumentText(content),
          "the argument text is the words each followed by one blank");
  return 0;
}
