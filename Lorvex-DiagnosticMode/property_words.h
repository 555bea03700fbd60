// The property file's words as the Java runtime's argument text: a pure rule
// over the file's bytes, no system call.
#ifndef LORVEX_PROPERTY_WORDS_H
#define LORVEX_PROPERTY_WORDS_H

#include <string>

namespace lorvex {

// The content of a file read in text mode: every CR LF reads as LF (a lone CR
// stays) and the first 0x1A (Ctrl-Z) ends the content.
std::string textModeContent(const std::string& fileBytes);

// The argument text of a property file's content: its words in file order,
// each followed by one blank, up to the end marker "/**". Words of any length
// are kept whole.
std::string propertyWords(const std::string& content);

}  // namespace lorvex

#endif
