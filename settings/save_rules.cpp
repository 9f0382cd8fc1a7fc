// What a failed save means; no system calls here.
#include <cerrno>

#include "settings/file_replace.h"

namespace kv {

bool RewriteInPlaceAfter(ReplaceStep step, int err) {
  const bool refused = err == EACCES || err == EPERM || err == EROFS;
  switch (step) {
    case ReplaceStep::Create:
    case ReplaceStep::Name:
      return refused;
    case ReplaceStep::Rename:
      // A file mounted on its own (a container's bind mount) cannot be
      // renamed over, only written.
      return refused || err == EBUSY;
    case ReplaceStep::Write:
      return false;
  }
  return false;
}

SaveResult SaveFailure(int err, bool fileExists) {
  switch (err) {
    case 0:
      return {};
    case EACCES:
    case EPERM:
    case EROFS:
      return {fileExists ? SaveError::FileReadOnly : SaveError::FolderLocked, err};
    case ENOSPC:
#ifdef EDQUOT  // quotas are a POSIX notion
    case EDQUOT:
#endif
    case EFBIG:
      return {SaveError::DiskFull, err};
    case ENOENT:
    case ENOTDIR:
      return {SaveError::FolderMissing, err};
    default:
      return {SaveError::Other, err};
  }
}

}  // namespace kv
