#include "elevated_start.h"

BOOL submitShellRequest(SHELLEXECUTEINFOA* request) {
  return ShellExecuteExA(request);
}
