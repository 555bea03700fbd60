#include "message_boxes.h"

#include <algorithm>

namespace message_boxes {
namespace {

// The static control that holds a message box's text.
const int kTextControl = 0xFFFF;
const DWORD kPollMs = 20;

struct Search {
  DWORD processId;
  std::vector<HWND> boxes;
};

BOOL CALLBACK collectBox(HWND window, LPARAM param) {
  Search* search = reinterpret_cast<Search*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId) return TRUE;
  char className[16] = "";
  GetClassNameA(window, className, sizeof className);
  // A box is created hidden and shown only once its text and title are
  // set, so a visible box can be read.
  if (lstrcmpA(className, "#32770") == 0 && IsWindowVisible(window))
    search->boxes.push_back(window);
  return TRUE;
}

std::vector<HWND> visibleBoxes(DWORD processId) {
  Search search{processId, {}};
  EnumWindows(collectBox, reinterpret_cast<LPARAM>(&search));
  return search.boxes;
}

std::string windowText(HWND window) {
  // Large enough for any message the programs under test compose.
  std::vector<char> text(1 << 17);
  int length = GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
  return std::string(text.data(), std::max(length, 0));
}

std::string controlText(HWND box, int control) {
  std::vector<char> text(1 << 17);
  UINT length = GetDlgItemTextA(box, control, text.data(), static_cast<int>(text.size()));
  return std::string(text.data(), length);
}

}  // namespace

Outcome pressUntilExit(HANDLE process, DWORD timeoutMs) {
  Outcome outcome;
  DWORD processId = GetProcessId(process);
  std::vector<HWND> pressed;
  ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    // Look once more after the end, for a box that appeared just before it.
    bool ended = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    for (HWND box : visibleBoxes(processId)) {
      if (std::find(pressed.begin(), pressed.end(), box) == pressed.end()) {
        outcome.boxes.push_back({controlText(box, kTextControl), windowText(box)});
        pressed.push_back(box);
      }
      // Pressed again while it stays open: a click that arrives while the
      // box is still being set up may be lost.
      PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
    if (ended) {
      outcome.ended = true;
      return outcome;
    }
    if (GetTickCount64() >= deadline) return outcome;
    WaitForSingleObject(process, kPollMs);
  }
}

}  // namespace message_boxes
