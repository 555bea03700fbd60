#include "temporary_title.h"

void makeTemporaryTitle(uint32_t tick, char (&title)[temporaryTitleSize]) {
  title[0] = 'W';
  title[1] = ':';
  for (size_t i = 2; i < temporaryTitleSize - 1; ++i) {
    title[i] = static_cast<char>('A' + (tick & 15));
    tick >>= 4;
  }
  title[temporaryTitleSize - 1] = '\0';
}
