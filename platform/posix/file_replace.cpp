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

int syncFolder(const QByteArray& dir, bool lacking) {
  if (lacking) return EINVAL;
  const int fd = ::open(dir.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return errno;
  const int err = ::fsync(fd) == 0 ? 0 : errno;
  ::close(fd);
  return err;
}

// Reads from `fd` to its end. Returns 0 or the errno.
int readAll(int fd, QByteArray& data) {
  data.clear();
  struct stat st {};
  if (::fstat(fd, &st) != 0) return errno;
  if (S_ISDIR(st.st_mode)) return EISDIR;
  data.reserve(static_cast<qsizetype>(st.st_size));
  char buf[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) return 0;
    data.append(buf, n);
  }
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

// A temporary name beside the target; `attempt` counts names already taken.
QByteArray temporaryName(const QByteArray& target, int attempt) {
  return target + ".new" + QByteArray::number(::getpid()) + "-" + QByteArray::number(attempt);
}

// Creates the file that will replace the target, in the same folder. An
// unnamed file is preferred: a save killed before the rename leaves nothing
// behind. Without that support, a named temporary is used; `name` receives
// its name. Either way a new file has the mode any new file gets, 0666 less
// the umask. Returns the descriptor, or -1 and errno.
int createReplacement(const QByteArray& dir, const QByteArray& target, QByteArray& name,
                      bool noUnnamed) {
  name.clear();
  int fd = -1;
  if (noUnnamed) {
    errno = EOPNOTSUPP;
  } else {
    fd = ::open(dir.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    // These answers are the folder's own, not a lack of unnamed files.
    if (fd >= 0 || errno == EACCES || errno == EPERM || errno == EROFS || errno == ENOSPC ||
        errno == EDQUOT || errno == ENOENT)
      return fd;
  }
  for (int attempt = 0; attempt < 100; ++attempt) {
    QByteArray candidate = temporaryName(target, attempt);
    fd = ::open(candidate.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      name = candidate;
      return fd;
    }
    if (errno != EEXIST) return -1;
  }
  return -1;
}

// Gives an unnamed file a temporary name beside the target, so it can be
// renamed over it. Returns 0 or the errno.
int nameReplacement(int fd, const QByteArray& target, QByteArray& name) {
  const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
  for (int attempt = 0; attempt < 100; ++attempt) {
    QByteArray candidate = temporaryName(target, attempt);
    if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, candidate.constData(), AT_SYMLINK_FOLLOW) ==
        0) {
      name = candidate;
      return 0;
    }
    if (errno != EEXIST) return errno;
  }
  return EEXIST;
}

// The new file takes the old one's owner where allowed, else at least its
// group (a file shared by the players of a group stays theirs), then its
// permissions. Returns 0 or the errno.
int takeOwnerAndMode(int fd, const struct stat& old) {
  if ((old.st_uid != ::geteuid() || old.st_gid != ::getegid()) &&
      ::fchown(fd, old.st_uid, old.st_gid) != 0 && old.st_gid != ::getegid())
    (void)::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
  return ::fchmod(fd, old.st_mode & 07777) == 0 ? 0 : errno;
}

struct StepError {
  ReplaceStep step = ReplaceStep::Create;
  int err = 0;
};

// A new file renamed over the target.
StepError replaceAtomically(const QByteArray& dir, const QByteArray& target, const QByteArray& data,
                            const struct stat* old, FileSystemLacks lacks) {
  QByteArray tempName;
  const int fd = createReplacement(dir, target, tempName, lacks.unnamedFiles);
  if (fd < 0) return {ReplaceStep::Create, errno};
  StepError e;
  if (old) e = {ReplaceStep::Create, takeOwnerAndMode(fd, *old)};
  if (!e.err) e = {ReplaceStep::Write, writeAll(fd, data, 0)};
  // The data is on the disk before the rename makes it the file.
  if (!e.err && ::fsync(fd) != 0) e.err = errno;
  if (!e.err && tempName.isEmpty()) e = {ReplaceStep::Name, nameReplacement(fd, target, tempName)};
  // A network file system may report a failed write only now.
  if (::close(fd) != 0 && !e.err) e = {ReplaceStep::Write, errno};
  if (!e.err && ::rename(tempName.constData(), target.constData()) != 0)
    e = {ReplaceStep::Rename, errno};
  if (e.err) {
    if (!tempName.isEmpty()) ::unlink(tempName.constData());
    return e;
  }
  // The rename survives a power cut only once the folder is synced. Should
  // that fail (a file system without it, a folder not to be opened for
  // reading), the save has happened all the same and is not reported.
  (void)syncFolder(dir, lacks.folderSync);
  return {};
}

// The file overwritten where it stands, for a folder that takes no new
// file. Room for the new size is claimed first, so a full disk fails before
// anything is overwritten; should writing fail all the same, the old bytes
// are put back. Returns 0 or the errno.
int rewriteInPlace(const QByteArray& target, const QByteArray& data) {
  const int fd = ::open(target.constData(), O_RDWR | O_CLOEXEC);
  if (fd < 0) return errno;
  QByteArray before;
  int err = readAll(fd, before);
  if (!err && data.size() > before.size()) {
    err = ::posix_fallocate(fd, 0, static_cast<off_t>(data.size()));
    if (err == EOPNOTSUPP || err == EINVAL) err = 0;  // a file system that cannot reserve
  }
  // Nothing was overwritten unless the writing began.
  const bool overwriting = !err;
  if (!err) err = writeAll(fd, data, 0);
  if (!err && ::ftruncate(fd, static_cast<off_t>(data.size())) != 0) err = errno;
  if (!err && ::fsync(fd) != 0) err = errno;
  if (err && overwriting) {
    (void)writeAll(fd, before, 0);
    (void)!::ftruncate(fd, static_cast<off_t>(before.size()));
    (void)::fsync(fd);
  }
  ::close(fd);
  return err;
}

}  // namespace

int readWholeFile(const QString& path, QByteArray& data) {
  data.clear();
  const QByteArray name = QFile::encodeName(path);
  const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    // A folder that may not be looked into hides its files: there is none to
    // be seen, and the save tells the folder's reason.
    struct stat st {};
    if (errno == EACCES && ::stat(name.constData(), &st) != 0 && errno == EACCES) return ENOENT;
    return errno;
  }
  const int err = readAll(fd, data);
  ::close(fd);
  return err;
}

SaveResult replaceFile(const QString& path, const QByteArray& data, FileSystemLacks lacks) {
  const QByteArray target = resolveLinks(QFile::encodeName(path));
  if (target.isEmpty()) return {SaveError::Other, ELOOP};
  const qsizetype slash = target.lastIndexOf('/');
  const QByteArray dir = slash < 0 ? QByteArray(".") : slash == 0 ? "/" : target.left(slash);

  struct stat old {};
  if (::stat(target.constData(), &old) != 0) {
    if (errno != ENOENT) return SaveFailure(errno, false);
    return SaveFailure(replaceAtomically(dir, target, data, nullptr, lacks).err, false);
  }
  if (!S_ISREG(old.st_mode)) return {SaveError::Other, EISDIR};
  // A file made read-only is left alone.
  if (::access(target.constData(), W_OK) != 0) return SaveFailure(errno, true);
  const StepError e = replaceAtomically(dir, target, data, &old, lacks);
  // Overwriting in place is less safe than a replacement, and far better
  // than losing the save when the folder takes no new file.
  if (e.err && RewriteInPlaceAfter(e.step, e.err))
    return SaveFailure(rewriteInPlace(target, data), false);
  return SaveFailure(e.err, false);
}

}  // namespace kv
