#pragma once
// Reading a whole file, and writing one so that a failure never leaves it
// half written. The system calls live in platform/<system>/file_replace.cpp;
// the decisions about what a failure means live in save_rules.cpp.
#include <QByteArray>
#include <QString>

#include "settings/profile_file.h"

namespace kv {

// What some file systems lack: unnamed temporary files (NFS, CIFS, vfat) and
// a sync of a folder. Tests stand in such a file system by setting these.
struct FileSystemLacks {
  bool unnamedFiles = false;
  bool folderSync = false;
};

// Reads the whole file at `path` into `data`. Returns 0 or the errno: ENOENT
// or ENOTDIR when there is no such file to be seen (ENOENT also when its
// folder may not be looked into), EISDIR for a folder of that name.
int readWholeFile(const QString& path, QByteArray& data);

// Makes `data` the content of the file at `path` (see ProfileFile::save).
SaveResult replaceFile(const QString& path, const QByteArray& data, FileSystemLacks lacks = {});

// The step of a replacement that failed.
enum class ReplaceStep { Create, Write, Name, Rename };

// Whether a replacement that failed at `step` with the errno `err` is worth
// retrying by rewriting the file where it stands: only when the folder
// refuses a new file. After a full disk or an I/O error the rewrite would
// likely fail half-way and leave old and new text mixed.
bool RewriteInPlaceAfter(ReplaceStep step, int err);

// The reason a player is told for the errno `err`; `fileExists` when the
// file itself refused.
SaveResult SaveFailure(int err, bool fileExists);

}  // namespace kv
