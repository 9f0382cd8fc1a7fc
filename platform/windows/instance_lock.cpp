// One running copy per user session: a named mutex in the session's own
// namespace. The system frees it when the process ends, however it ends.
#include <windows.h>

#include "platform/system.h"

namespace kv::sys {

SingleInstanceLock::~SingleInstanceLock() {
  if (handle_ != -1) ::CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

bool SingleInstanceLock::acquire() {
  if (handle_ != -1) return true;
  HANDLE m = ::CreateMutexW(nullptr, FALSE, L"Local\\org.korvane.Korvane");
  // Where no mutex can be made at all there is no other copy to tell of.
  if (!m) return true;
  if (::GetLastError() == ERROR_ALREADY_EXISTS) {
    ::CloseHandle(m);
    return false;
  }
  handle_ = reinterpret_cast<intptr_t>(m);
  return true;
}

}  // namespace kv::sys
