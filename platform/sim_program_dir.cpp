#include "platform/sim_program_dir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace kv {

SimProgramDir::SimProgramDir() {
  const QDir from(QCoreApplication::applicationDirPath());
  for (const QString& f : from.entryList({QStringLiteral("*.wav")}, QDir::Files))
    QFile::copy(from.filePath(f), dir_.filePath(f));
}

}  // namespace kv
