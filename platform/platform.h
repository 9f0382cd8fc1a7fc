#pragma once
// The thin layer between the game and the toolkit for time, waiting, timers,
// random numbers, sound, message boxes and the end of the process. Two
// backends implement it: the real one (Qt event loop, monotonic clock, Qt
// Multimedia in a module loaded after start-up) and the simulated one
// (virtual time, scripted input), so the game runs the same code in a window
// and in tests.
#include <QDate>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "platform/random.h"
#include "platform/timer.h"

namespace kv {

// Plays registered sound files. `path` is the registered path without
// extension; the backend resolves it to the ".wav" file of that name.
class SoundBackend {
 public:
  virtual ~SoundBackend() = default;
  // Starts the sound and returns at once; a new sound cuts off the one playing.
  virtual void playAsync(const QString& path) = 0;
  // Plays the sound to its end before returning, letting no event run. Lasts
  // the sound's length whether or not an audio device is present.
  virtual void playSync(const QString& path) = 0;
  virtual void stop() = 0;
  // Readies what the first sound would otherwise wait for; called once the
  // first screen is up. A backend with nothing to ready does nothing.
  virtual void prepare() {}
};

enum class MsgIcon { None, Exclamation, Question, Information };

class Platform {
 public:
  virtual ~Platform() = default;

  // 32-bit millisecond clock; differences are taken modulo 2^32.
  virtual uint32_t timeGetTime() = 0;
  // Seconds since midnight, as a real number.
  virtual double secondsOfDay() = 0;
  virtual QDate today() = 0;

  // Handles every pending event: window input, due timer ticks, scheduled
  // test input. Handlers run re-entrantly from inside this call.
  virtual void processEvents() = 0;
  // Blocks until at least one event has been handled or the clock reaches
  // `deadline` (no deadline: until an event). Never spins a core.
  virtual void waitForEvents(std::optional<uint32_t> deadline) = 0;
  // The clock at its finest resolution, in milliseconds from an arbitrary
  // origin; only differences are meaningful.
  virtual double preciseMs() { return static_cast<double>(timeGetTime()); }
  // As waitForEvents, with a deadline on the precise clock.
  // The millisecond clock is read before the precise one, so time passing
  // between the two reads can only bring the wake-up earlier, never later.
  virtual void waitForEventsUntilPrecise(double deadline) {
    const uint32_t now = timeGetTime();
    const double remaining = deadline - preciseMs();
    if (remaining <= 0) return;
    waitForEvents(now + static_cast<uint32_t>(std::ceil(remaining)));
  }
  // Blocks for `ms` milliseconds without handling any event.
  virtual void sleepWithoutEvents(uint32_t ms) = 0;

  // True while a menu of the window (from the menu bar or a pop-up) is open.
  virtual bool menuOpen();
  // An open menu holds whoever waits: events are handled (timers tick) but
  // the caller goes on only once the menu has closed or `stop` holds. The
  // time spent in the menu is not taken back afterwards.
  void holdWhileMenuOpen(const std::function<bool()>& stop) {
    while (menuOpen() && !stop()) waitForEvents(std::nullopt);
  }

  // Window timers: ticks run between other events, also in nested waits.
  virtual void timerStateChanged(Timer& t) = 0;
  virtual void timerDestroyed(Timer& t) = 0;

  Random& random() { return random_; }

  virtual SoundBackend& sound() = 0;

  // A modal message box with an OK button.
  virtual void messageBox(const QString& text, MsgIcon icon, const QString& title) = 0;
  // A modal message box with the buttons Yes and No, Yes the default; true
  // when the answer is Yes.
  virtual bool askYesNo(const QString& text, MsgIcon icon, const QString& title) = 0;

  // Ends the process at once; does not return.
  [[noreturn]] virtual void endProgram() = 0;

  // True when no other copy of the program holds the per-user lock.
  virtual bool acquireSingleInstanceLock() = 0;

  // 1440 divided by the screen's logical dots per inch, rounded.
  virtual int twipsPerPixelX() = 0;
  virtual int twipsPerPixelY() = 0;

  // The directory the program and its data files are in.
  virtual QString programDir() = 0;

  // Where the settings file lives, the program's data lying in `dataDir`.
  virtual QString settingsFilePath(const QString& dataDir) = 0;

  // The user's interface languages as the desktop lists them, best first
  // ("ja-JP", "en-US", or "C" when no language is set).
  virtual QStringList uiLanguages();

  // Runs `work` from the event loop once `widget` has been painted for the
  // first time: start-up work that the first screen does not show waits
  // until that screen is up. Without a display there is nothing to wait
  // for: the simulated backend runs it at once.
  virtual void afterFirstPaint(QWidget& widget, std::function<void()> work) {
    (void)widget;
    work();
  }

 protected:
  Random random_;
};

}  // namespace kv
