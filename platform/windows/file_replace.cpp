// Saving a whole file on Windows so that a failure never leaves it half
// written: the new text goes to a new file beside the old one, reaches the
// disk, and then takes the old one's place in one step. ReplaceFileW keeps
// the old file's attributes, security and creation time, as a rename over
// it on other systems keeps the mode. Paths stay in UTF-16 throughout.
#include "settings/file_replace.h"

#include <windows.h>

#include <QDir>
#include <cerrno>

namespace kv {
namespace {

std::wstring wide(const QString& path) { return QDir::toNativeSeparators(path).toStdWString(); }

// The errno a Windows error stands for, so one message text serves every
// system.
int toErrno(DWORD e) {
  switch (e) {
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return EACCES;
    case ERROR_WRITE_PROTECT:
      return EROFS;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ENOSPC;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
      return ENOENT;
    case ERROR_DIRECTORY:
      return ENOTDIR;
    case ERROR_FILENAME_EXCED_RANGE:
      return ENAMETOOLONG;
    default:
      return EIO;
  }
}

struct Handle {
  HANDLE h = INVALID_HANDLE_VALUE;
  ~Handle() { close(); }
  bool close() {
    const bool ok = h == INVALID_HANDLE_VALUE || ::CloseHandle(h);
    h = INVALID_HANDLE_VALUE;
    return ok;
  }
};

// Writes all of `data` at the file's current position. Returns 0 or the
// errno.
int writeAll(HANDLE h, const QByteArray& data) {
  for (qsizetype done = 0; done < data.size();) {
    const DWORD chunk = static_cast<DWORD>(std::min<qsizetype>(data.size() - done, 1 << 30));
    DWORD n = 0;
    if (!::WriteFile(h, data.constData() + done, chunk, &n, nullptr))
      return toErrno(::GetLastError());
    if (n == 0) return ENOSPC;
    done += n;
  }
  return 0;
}

// A new file beside the target, named after it. `created` is false when the
// folder refused it.
int writeReplacement(const std::wstring& target, const QByteArray& data, std::wstring& temp) {
  Handle f;
  for (int attempt = 0; attempt < 100 && f.h == INVALID_HANDLE_VALUE; ++attempt) {
    temp = target + L".new" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
           std::to_wstring(attempt);
    f.h = ::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                        nullptr);
    if (f.h == INVALID_HANDLE_VALUE && ::GetLastError() != ERROR_FILE_EXISTS) {
      const int err = toErrno(::GetLastError());
      temp.clear();
      return err;
    }
  }
  if (f.h == INVALID_HANDLE_VALUE) {
    temp.clear();
    return EEXIST;
  }
  int err = writeAll(f.h, data);
  // The data is on the disk before the replacement makes it the file.
  if (!err && !::FlushFileBuffers(f.h)) err = toErrno(::GetLastError());
  if (!f.close() && !err) err = toErrno(::GetLastError());
  if (err) {
    ::DeleteFileW(temp.c_str());
    temp.clear();
  }
  return err;
}

// The file overwritten where it stands, for a folder that takes no new
// file; should writing fail, the old bytes are put back. Returns 0 or the
// errno.
int rewriteInPlace(const std::wstring& target, const QByteArray& data) {
  Handle f;
  f.h = ::CreateFileW(target.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                      FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f.h == INVALID_HANDLE_VALUE) return toErrno(::GetLastError());
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(f.h, &size) || size.QuadPart > (1LL << 30)) return EIO;
  QByteArray before(static_cast<qsizetype>(size.QuadPart), Qt::Uninitialized);
  DWORD got = 0;
  if (!before.isEmpty() &&
      (!::ReadFile(f.h, before.data(), static_cast<DWORD>(before.size()), &got, nullptr) ||
       got != static_cast<DWORD>(before.size())))
    return EIO;
  auto rewrite = [&](const QByteArray& bytes) {
    LARGE_INTEGER zero{};
    if (!::SetFilePointerEx(f.h, zero, nullptr, FILE_BEGIN)) return toErrno(::GetLastError());
    if (const int e = writeAll(f.h, bytes)) return e;
    if (!::SetEndOfFile(f.h) || !::FlushFileBuffers(f.h)) return toErrno(::GetLastError());
    return 0;
  };
  const int err = rewrite(data);
  if (err) rewrite(before);
  return err;
}

}  // namespace

int readWholeFile(const QString& path, QByteArray& data) {
  data.clear();
  const DWORD attrs = ::GetFileAttributesW(wide(path).c_str());
  if (attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY)) return EISDIR;
  Handle f;
  f.h = ::CreateFileW(wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f.h == INVALID_HANDLE_VALUE) return toErrno(::GetLastError());
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(f.h, &size)) return toErrno(::GetLastError());
  if (size.QuadPart > (1LL << 30)) return EFBIG;
  data.resize(static_cast<qsizetype>(size.QuadPart));
  DWORD got = 0;
  if (!data.isEmpty() &&
      !::ReadFile(f.h, data.data(), static_cast<DWORD>(data.size()), &got, nullptr))
    return toErrno(::GetLastError());
  data.truncate(got);
  return 0;
}

// Windows' file systems all take new files and flush them: `lacks` has
// nothing to stand in for here.
SaveResult replaceFile(const QString& path, const QByteArray& data, FileSystemLacks) {
  const std::wstring target = wide(path);
  const DWORD attrs = ::GetFileAttributesW(target.c_str());
  if (attrs == INVALID_FILE_ATTRIBUTES) {
    const DWORD e = ::GetLastError();
    if (e != ERROR_FILE_NOT_FOUND) return SaveFailure(toErrno(e), false);
    std::wstring temp;
    if (const int err = writeReplacement(target, data, temp)) return SaveFailure(err, false);
    if (!::MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) {
      const int err = toErrno(::GetLastError());
      ::DeleteFileW(temp.c_str());
      return SaveFailure(err, false);
    }
    return {};
  }
  if (attrs & FILE_ATTRIBUTE_DIRECTORY) return {SaveError::Other, EISDIR};
  // A file made read-only is left alone.
  if (attrs & FILE_ATTRIBUTE_READONLY) return {SaveError::FileReadOnly, EACCES};
  std::wstring temp;
  int err = writeReplacement(target, data, temp);
  // Only a folder that refuses a new file is worked around, by overwriting
  // in place: less safe than a replacement, far better than losing the save.
  // A full disk or a failing device gets no second, riskier try.
  if (temp.empty()) {
    if (RewriteInPlaceAfter(ReplaceStep::Create, err)) {
      err = rewriteInPlace(target, data);
      return err ? SaveFailure(err, true) : SaveResult{};
    }
    return SaveFailure(err, false);
  }
  // The new file takes the old one's visible attributes (hidden, say) itself,
  // so the fallback below keeps them too.
  ::SetFileAttributesW(temp.c_str(),
                       attrs & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED));
  if (::ReplaceFileW(target.c_str(), temp.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                     nullptr, nullptr) ||
      ::MoveFileExW(temp.c_str(), target.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return {};
  err = toErrno(::GetLastError());
  ::DeleteFileW(temp.c_str());
  return SaveFailure(err, true);
}

}  // namespace kv
