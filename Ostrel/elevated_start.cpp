#include "elevated_start.h"

SHELLEXECUTEINFOA elevatedRequest(HWND window, const char* file, const char* parameters,
                                  const char* directory) {
  SHELLEXECUTEINFOA request{};
  request.cbSize = sizeof request;
  request.fMask = 0;  // no process handle asked for: the caller never waits
  request.hwnd = window;
  request.lpVerb = "runas";
  request.lpFile = file;
  request.lpParameters = parameters;
  request.lpDirectory = directory;
  request.nShow = SW_SHOWNORMAL;
  return request;
}

BOOL runElevated(HWND window, const char* file, const char* parameters, const char* directory) {
  SHELLEXECUTEINFOA request = elevatedRequest(window, file, parameters, directory);
  return submitShellRequest(&request);
}
