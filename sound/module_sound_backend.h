#pragma once
// The real platform's sound backend: a thin stand-in for the Qt Multimedia
// backend, which is a module of its own ("korvane-sound.so"), so that the
// program starts without Qt Multimedia and the libraries it draws in. The
// module is loaded by prepare(), once the title is up, or else by the first
// sound, which then waits for it. Without a module that loads, every sound
// is silence and one line on standard error says where it was looked for.
// A sound played to its end holds the program for its length either way, so
// the game keeps the same rhythm on every machine.
#include <QString>
#include <QStringList>
#include <memory>

#include "platform/platform.h"

namespace kv {

// Where the module is looked for, in order: beside the program (build tree,
// copied folder), then from the program's folder in Debian's layout for
// games (games/ and lib/games/korvane) and in the plain one (bin/ and
// lib/korvane).
QStringList SoundModuleCandidates(const QString& programDir);

class ModuleSoundBackend : public SoundBackend {
 public:
  explicit ModuleSoundBackend(QString programDir) : programDir_(std::move(programDir)) {}
  ~ModuleSoundBackend() override;

  void prepare() override;
  void playAsync(const QString& path) override;
  void playSync(const QString& path) override;
  void stop() override;

  // After prepare(): the module in use, empty without one; and the line
  // written to standard error, empty with one.
  const QString& modulePath() const { return modulePath_; }
  const QString& notice() const { return notice_; }

 private:
  QString programDir_;
  bool tried_ = false;
  std::unique_ptr<SoundBackend> module_;
  QString modulePath_, notice_;
};

}  // namespace kv
