// A program with a window has no console of its own: started from a command
// prompt, its standard streams lead nowhere unless it attaches to the
// prompt's console. Streams already redirected (a pipe, a file, Wine's
// terminal) are left as they are.
#include <windows.h>

#include <cstdio>

#include "platform/system.h"

namespace kv::sys {

void UseParentConsole() {
  const HANDLE out = ::GetStdHandle(STD_OUTPUT_HANDLE);
  if (out && out != INVALID_HANDLE_VALUE) return;
  if (!::AttachConsole(ATTACH_PARENT_PROCESS)) return;
  (void)std::freopen("CONOUT$", "w", stdout);
  (void)std::freopen("CONOUT$", "w", stderr);
}

}  // namespace kv::sys
