#pragma once
// The simulated backend: virtual time that moves only when the program
// waits, timers that fire at their exact virtual times, input scheduled by a
// test at a virtual time or when a condition first holds, recorded sounds and
// message boxes. Whole stages and games run in milliseconds, deterministically.
#include <functional>
#include <stdexcept>
#include <vector>

#include "platform/platform.h"

namespace kv {

class SimPlatform;

// Records what the game asked to play; a synchronous play advances virtual
// time by the sound's length.
class SimSoundBackend : public SoundBackend {
 public:
  explicit SimSoundBackend(SimPlatform& p) : p_(p) {}
  struct Play {
    QString name;  // file name without directory
    bool sync;
    uint32_t at;
  };
  void playAsync(const QString& path) override;
  void playSync(const QString& path) override;
  void stop() override { ++stops; }
  std::vector<Play> plays;
  int stops = 0;
  // Length of a synchronous play when the file cannot be read.
  uint32_t fallbackMs = 900;
  QStringList names() const;

 private:
  SimPlatform& p_;
};

// Thrown when the program waits for an event that can never come.
struct SimulationStalled : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class SimPlatform : public Platform {
 public:
  explicit SimPlatform(uint32_t startMs = 1'000'000);
  ~SimPlatform() override;

  uint32_t timeGetTime() override;
  double preciseMs() override;
  double secondsOfDay() override;
  QDate today() override { return today_; }
  void processEvents() override;
  void waitForEvents(std::optional<uint32_t> deadline) override;
  void sleepWithoutEvents(uint32_t ms) override { pass(ms); }
  void timerStateChanged(Timer& t) override;
  void timerDestroyed(Timer& t) override;
  SoundBackend& sound() override { return sound_; }
  void messageBox(const QString& text, MsgIcon icon, const QString& title) override;
  // Answers with the next of `answers` (Yes once they run out).
  bool askYesNo(const QString& text, MsgIcon icon, const QString& title) override;
  [[noreturn]] void endProgram() override;
  bool acquireSingleInstanceLock() override { return lockFree; }
  int twipsPerPixelX() override { return tppX; }
  int twipsPerPixelY() override { return tppY; }
  QString programDir() override;
  // As a Linux desktop places it.
  QString settingsFilePath(const QString& dataDir) override;
  // The desktop's languages; none set by default, as in a bare session.
  QStringList uiLanguages() override { return languages; }

  // Test controls.
  // Runs `action` at virtual time `at` (absolute), between other events.
  void at(uint32_t at, std::function<void()> action);
  // Runs `action` `delay` ms from now.
  void after(uint32_t delay, std::function<void()> action) { at(now_ + delay, std::move(action)); }
  // Runs `action` at the first event pump at which `cond` holds.
  void when(std::function<bool()> cond, std::function<void()> action);
  // Moves virtual time forward by `ms`, firing what falls due (as an idle
  // event loop would).
  void advance(uint32_t ms);
  // Runs events until `cond` holds (or throws after `limitMs` virtual ms).
  void runUntil(const std::function<bool()>& cond, uint32_t limitMs = 600'000);
  uint32_t now() const { return now_; }
  // Virtual milliseconds since the backend was made; unlike the 32-bit clock
  // it never wraps, so a wait of 49 days shows as one.
  uint64_t elapsedMs() const { return elapsed_; }
  // Time that passes right after each read of the clock by the program, as
  // on a loaded machine where the clock moves on between two reads. Called
  // with the number of the read (1, 2, ...); returns the milliseconds to let
  // pass. Unset: the clock stands still while the program runs.
  std::function<uint32_t(uint64_t)> readDelay;
  uint64_t clockReads() const { return reads_; }

  SimSoundBackend& simSound() { return sound_; }
  std::vector<QString> messages;  // "title: text" of every message box
  std::vector<MsgIcon> icons;     // and its icon
  std::vector<bool> answers;
  // Runs while a question is open, as the toolkit's modal loop would run
  // timers and other events.
  std::function<void()> whileAsking;
  bool lockFree = true;
  QStringList languages;
  int tppX = 15, tppY = 15;
  QDate today_ = QDate(2002, 8, 17);
  double dayStartSeconds = 12 * 3600.0;
  QString dir;
  // Exit code used by endProgram.
  int exitCode = 0;

 private:
  struct Input {
    uint32_t at;  // used when cond is empty
    std::function<bool()> cond;
    std::function<void()> action;
    uint64_t seq;
  };
  bool fireOneDue();
  std::optional<uint32_t> nextDue() const;

  void pass(uint32_t ms);
  void afterRead();

  uint32_t now_;
  // Virtual milliseconds since the start, for the precise clock, which does
  // not wrap.
  uint64_t elapsed_ = 0;
  uint64_t reads_ = 0;
  uint64_t seq_ = 0;
  std::vector<Input> inputs_;
  // In the order the timers were first set up: timers due at the same moment
  // fire in that order, in every run alike (an order by address would follow
  // the heap, which differs from run to run).
  std::vector<Timer*> timers_;
  SimSoundBackend sound_;
};

}  // namespace kv
