#include "property_words.h"

#include "texts.h"

namespace lorvex {

std::string textModeContent(const std::string& fileBytes) {
  const std::string bytes = fileBytes.substr(0, fileBytes.find('\x1A'));
  std::string content;
  content.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
    content += bytes[i];
  }
  return content;
}

namespace {

// The white-space bytes of the "C" locale, and NUL: a NUL ends a word and is
// skipped like a separator, so that the reader always moves on.
bool isSeparator(char c) {
  switch (c) {
    case '\t': case '\n': case '\v': case '\f': case '\r': case ' ': case '\0':
      return true;
    default:
      return false;
  }
}

}  // namespace

// Each pass skips separators and takes one word; when the content ends while
// skipping, the word is empty and still gets its blank, so a file that ends
// in separators gives one blank more than one that ends in a word.
std::string propertyWords(const std::string& content) {
  std::string argumentText;
  std::size_t i = 0;
  for (;;) {
    while (i < content.size() && isSeparator(content[i])) ++i;
    const std::size_t start = i;
    while (i < content.size() && !isSeparator(content[i])) ++i;
    const std::string word = content.substr(start, i - start);
    if (word == kPropertyEndMarker) break;
    argumentText += word;
    argumentText += ' ';
    if (i == content.size()) break;
  }
  return argumentText;
}

}  // namespace lorvex
