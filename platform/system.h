#pragma once
// What differs between the desktops the game runs on. Each system answers
// these in a folder of its own (platform/posix, platform/windows); the game
// sees only this header, through the real backend and the start-up.
#include <QString>
#include <cstdint>
#include <memory>

class QWidget;

namespace kv {

class SoundBackend;

namespace sys {

// The per-user lock that tells a second copy of the program that one is
// running, held while this object lives (and never longer than the process:
// a copy that crashed leaves nothing stale behind).
class SingleInstanceLock {
 public:
  SingleInstanceLock() = default;
  ~SingleInstanceLock();
  SingleInstanceLock(const SingleInstanceLock&) = delete;
  SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;
  // Takes the lock; false when another copy holds it.
  bool acquire();

 private:
  intptr_t handle_ = -1;  // the system's handle of the lock
};

// Closes `window` as its close box would when the session ends (log-off,
// shutdown) or the process is asked to terminate, so the settings are saved.
void CloseWindowOnSessionEnd(QWidget* window);

// The sound backend of this system for the effects beside the program.
std::unique_ptr<SoundBackend> MakeSoundBackend(const QString& programDir);

// Where the settings file lives for a program in `programDir` whose data
// lie in `dataDir`.
QString SettingsFilePath(const QString& programDir, const QString& dataDir);

// Makes the fonts shipped with the game known where the designed faces are
// not installed. Called once, before the first text is measured.
void AddShippedFonts(const QString& dataDir);

// Connects standard output and error to the console the program was started
// from, where the system does not do so itself (a Windows program with a
// window), so that --help and --version are seen there.
void UseParentConsole();

}  // namespace sys
}  // namespace kv
