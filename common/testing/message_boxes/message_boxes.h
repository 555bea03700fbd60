// Drives the message boxes of another process: a test starts a program that
// speaks through modal message boxes, and this helper reads and closes each
// box that program shows, so the program runs on as a user who presses OK
// would let it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace message_boxes {

// One message box as the process showed it.
struct Box {
  std::string text;  // the message, as the box's text control holds it
  std::string title;
};

struct Outcome {
  std::vector<Box> boxes;  // every box, once, in the order they appeared
  bool ended = false;      // false when the time limit ran out first
};

// Presses OK on every message box (a top-level "#32770" window) owned by
// the process, recording each box once, until the process has ended or
// timeoutMs have passed. Boxes of other processes are never touched.
Outcome pressUntilExit(HANDLE process, DWORD timeoutMs);

}  // namespace message_boxes
