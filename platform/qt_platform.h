#pragma once
// The real backend: a monotonic millisecond clock, waits that block in the Qt
// event loop until the next event or their deadline, Qt timers, Qt message
// boxes and Qt Multimedia sound from a module loaded once the title is up.
#include <QElapsedTimer>
#include <QTimer>
#include <memory>

#include "platform/platform.h"
#include "platform/system.h"

namespace kv {

class QtPlatform : public Platform {
 public:
  QtPlatform();
  ~QtPlatform() override;

  uint32_t timeGetTime() override;
  double secondsOfDay() override;
  QDate today() override;
  void processEvents() override;
  void waitForEvents(std::optional<uint32_t> deadline) override;
  void sleepWithoutEvents(uint32_t ms) override;
  double preciseMs() override;
  void waitForEventsUntilPrecise(double deadline) override;
  void timerStateChanged(Timer& t) override;
  void timerDestroyed(Timer& t) override;
  SoundBackend& sound() override;
  void messageBox(const QString& text, MsgIcon icon, const QString& title) override;
  bool askYesNo(const QString& text, MsgIcon icon, const QString& title) override;
  [[noreturn]] void endProgram() override;
  bool acquireSingleInstanceLock() override;
  int twipsPerPixelX() override;
  int twipsPerPixelY() override;
  QString programDir() override;
  QString settingsFilePath(const QString& dataDir) override;
  void afterFirstPaint(QWidget& widget, std::function<void()> work) override;

 private:
  QElapsedTimer clock_;
  uint32_t clockBase_ = 0;
  QTimer wake_;
  std::unique_ptr<SoundBackend> sound_;
  sys::SingleInstanceLock lock_;
};

}  // namespace kv
