// One running copy per user: a lock the kernel holds for the process on a
// file in the user's runtime folder. A copy that crashed or was killed
// leaves nothing stale behind, and taking the lock writes nothing.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include "platform/system.h"

namespace kv::sys {

SingleInstanceLock::~SingleInstanceLock() {
  if (handle_ >= 0) ::close(static_cast<int>(handle_));
}

bool SingleInstanceLock::acquire() {
  if (handle_ >= 0) return true;
  QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (dir.isEmpty()) dir = QDir::tempPath();
  const QByteArray path = QFile::encodeName(dir + QStringLiteral("/korvane.lock"));
  const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  // Where no lock can be made at all there is no other copy to tell of.
  if (fd < 0) return true;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return false;
  }
  handle_ = fd;
  return true;
}

}  // namespace kv::sys
