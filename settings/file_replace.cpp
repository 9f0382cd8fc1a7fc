#include "settings/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>

namespace kv {
namespace {

// Writes all of `data` from `offset` on, retrying short writes and
// interrupted calls. Returns 0 or the errno.
int writeAll(int fd, const QByteArray& data, off_t offset) {
  for (qsizetype done = 0; done < data.size();) {
    const ssize_t n = ::pwrite(fd, data.constData() + done, static_cast<size_t>(data.size() - done),
                               offset + done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return n < 0 ? errno : ENOSPC;
    done += n;
  }
  return 0;
}

int syncFolder(const QByteArray& dir) {
  const int fd = ::open(dir.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return errno;
  const int err = ::fsync(fd) == 0 ? 0 : errno;
  ::close(fd);
  return err;
}

// The file a path finally names: symbolic links followed, each relative
// target taken from the folder of its link. A link to a missing file gives
// that missing file, which the save then creates.
QByteArray resolveLinks(QByteArray path) {
  for (int depth = 0; depth < 40; ++depth) {
    struct stat st {};
    if (::lstat(path.constData(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    QByteArray target(static_cast<qsizetype>(st.st_size) + 256, Qt::Uninitialized);
    const ssize_t n =
        ::readlink(path.constData(), target.data(), static_cast<size_t>(target.size()));
    if (n < 0 || n >= target.size()) return {};
    target.truncate(n);
    if (!target.startsWith('/')) {
      const qsizetype slash = path.lastIndexOf('/');
      target = (slash >= 0 ? path.left(slash + 1) : QByteArray()) + target;
    }
    path = target;
  }
  return {};  // a loop of links
}

// Creates the file that will replace the target, in the same folder. An
// unnamed file is preferred: a save killed before the rename leaves nothing
// behind. Without that support, a named temporary is used; `name` receives
// its name.
int createReplacement(const QByteArray& dir, const QByteArray& target, QByteArray& name) {
  name.clear();
  int fd = ::open(dir.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
  if (fd >= 0 || errno == EACCES || errno == EROFS || errno == ENOSPC || errno == ENOENT) return fd;
  QByteArray pattern = target + ".XXXXXX";
  fd = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (fd >= 0) name = pattern;
  return fd;
}

// Gives an unnamed file a temporary name beside the target, so it can be
// renamed over it. Returns 0 or the errno.
int nameReplacement(int fd, const QByteArray& target, QByteArray& name) {
  const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
  for (int attempt = 0; attempt < 100; ++attempt) {
    QByteArray candidate =
        target + ".new" + QByteArray::number(::getpid()) + "-" + QByteArray::number(attempt);
    if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, candidate.constData(), AT_SYMLINK_FOLLOW) ==
        0) {
      name = candidate;
      return 0;
    }
    if (errno != EEXIST) return errno;
  }
  return EEXIST;
}

// A new file renamed over the target. Returns 0 or the errno.
int replaceAtomically(const QByteArray& dir, const QByteArray& target, const QByteArray& data,
                      const struct stat* old) {
  QByteArray tempName;
  const int fd = createReplacement(dir, target, tempName);
  if (fd < 0) return errno;
  int err = writeAll(fd, data, 0);
  if (!err && old) {
    // The new file takes the old one's permissions and, where allowed, its
    // owner; a new file gets the usual ones (0666 less the umask).
    if (::fchmod(fd, old->st_mode & 07777) != 0) err = errno;
    if (!err && (old->st_uid != ::geteuid() || old->st_gid != ::getegid()))
      (void)::fchown(fd, old->st_uid, old->st_gid);
  }
  // The data is on the disk before the rename makes it the file.
  if (!err && ::fsync(fd) != 0) err = errno;
  if (!err && tempName.isEmpty()) err = nameReplacement(fd, target, tempName);
  if (::close(fd) != 0 && !err) err = errno;
  if (!err && ::rename(tempName.constData(), target.constData()) != 0) err = errno;
  if (err) {
    if (!tempName.isEmpty()) ::unlink(tempName.constData());
    return err;
  }
  // The rename itself survives a power cut only once the folder is synced.
  return syncFolder(dir);
}

// The file overwritten where it stands, for a folder that takes no new
// file. Room for the new size is claimed first, so a full disk fails before
// anything is overwritten; should writing fail all the same, the old bytes
// are put back. Returns 0 or the errno.
int rewriteInPlace(const QByteArray& target, const QByteArray& data) {
  const int fd = ::open(target.constData(), O_RDWR | O_CLOEXEC);
  if (fd < 0) return errno;
  QFile f;
  QByteArray before;
  if (f.open(fd, QIODevice::ReadOnly, QFileDevice::DontCloseHandle)) before = f.readAll();
  int err = f.error() == QFileDevice::NoError ? 0 : EIO;
  if (!err && data.size() > before.size()) {
    err = ::posix_fallocate(fd, 0, static_cast<off_t>(data.size()));
    if (err == EOPNOTSUPP || err == EINVAL) err = 0;  // a file system that cannot reserve
  }
  if (!err) err = writeAll(fd, data, 0);
  if (!err && ::ftruncate(fd, static_cast<off_t>(data.size())) != 0) err = errno;
  if (!err && ::fsync(fd) != 0) err = errno;
  if (err && !before.isNull()) {
    (void)writeAll(fd, before, 0);
    (void)!::ftruncate(fd, static_cast<off_t>(before.size()));
    (void)::fsync(fd);
  }
  ::close(fd);
  return err;
}

SaveResult failure(int err, bool fileExists) {
  switch (err) {
    case EACCES:
    case EPERM:
    case EROFS:
      return {fileExists ? SaveError::FileReadOnly : SaveError::FolderLocked, err};
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return {SaveError::DiskFull, err};
    case ENOENT:
    case ENOTDIR:
      return {SaveError::FolderMissing, err};
    default:
      return {SaveError::Other, err};
  }
}

}  // namespace

SaveResult replaceFile(const QString& path, const QByteArray& data) {
  const QByteArray target = resolveLinks(QFile::encodeName(path));
  if (target.isEmpty()) return {SaveError::Other, ELOOP};
  const qsizetype slash = target.lastIndexOf('/');
  const QByteArray dir = slash < 0 ? QByteArray(".") : slash == 0 ? "/" : target.left(slash);

  struct stat old {};
  if (::stat(target.constData(), &old) != 0) {
    if (errno != ENOENT) return failure(errno, false);
    const int err = replaceAtomically(dir, target, data, nullptr);
    return err ? failure(err, false) : SaveResult{};
  }
  if (!S_ISREG(old.st_mode)) return {SaveError::Other, EISDIR};
  // A file made read-only is left alone.
  if (::access(target.constData(), W_OK) != 0) return failure(errno, true);
  int err = replaceAtomically(dir, target, data, &old);
  // Overwriting in place is less safe than a replacement, and far better
  // than losing the save.
  if (err) err = rewriteInPlace(target, data);
  return err ? failure(err, false) : SaveResult{};
}

}  // namespace kv
