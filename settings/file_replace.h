#pragma once
// Writing a whole file so that a failure never leaves it half written.
#include <QByteArray>
#include <QString>

#include "settings/profile_file.h"

namespace kv {

// Makes `data` the content of the file at `path` (see ProfileFile::save).
SaveResult replaceFile(const QString& path, const QByteArray& data);

}  // namespace kv
