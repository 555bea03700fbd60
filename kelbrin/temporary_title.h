// The temporary title that findFrameWindow gives a frame for a moment, so that
// its native window can be found by title.
#ifndef KELBRIN_TEMPORARY_TITLE_H
#define KELBRIN_TEMPORARY_TITLE_H

#include <cstddef>
#include <cstdint>

// 20 characters and the terminator.
constexpr size_t temporaryTitleSize = 21;

// Writes "W:" and eighteen letters from A to P, then a terminator: the tick
// count's hexadecimal digits, least significant first, with A for 0 up to P
// for 15. Only eight digits are non-zero, so the last ten letters are "A".
void makeTemporaryTitle(uint32_t tick, char (&title)[temporaryTitleSize]);

#endif
