#include "platform/qt_platform.h"

#include <QApplication>
#include <QDateTime>
#include <QMessageBox>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/system.h"

namespace kv {

QtPlatform::QtPlatform() {
  clock_.start();
  // The millisecond counter counts from an arbitrary origin, as a system
  // uptime counter does.
  clockBase_ = static_cast<uint32_t>(QDateTime::currentMSecsSinceEpoch());
  wake_.setSingleShot(true);
  wake_.setTimerType(Qt::PreciseTimer);
  random_.seed(static_cast<uint32_t>(QDateTime::currentMSecsSinceEpoch()));
}

QtPlatform::~QtPlatform() = default;

uint32_t QtPlatform::timeGetTime() {
  return clockBase_ + static_cast<uint32_t>(clock_.nsecsElapsed() / 1000000);
}

double QtPlatform::secondsOfDay() { return QTime::currentTime().msecsSinceStartOfDay() / 1000.0; }

QDate QtPlatform::today() { return QDate::currentDate(); }

void QtPlatform::processEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void QtPlatform::waitForEvents(std::optional<uint32_t> deadline) {
  if (deadline) {
    const int32_t remaining = static_cast<int32_t>(*deadline - timeGetTime());
    if (remaining <= 0) return;
    wake_.start(remaining);
  }
  // Blocks in the event loop until an event (or the wake-up timer) arrives.
  QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
  wake_.stop();
}

void QtPlatform::sleepWithoutEvents(uint32_t ms) { QThread::msleep(ms); }

double QtPlatform::preciseMs() { return static_cast<double>(clock_.nsecsElapsed()) / 1e6; }

// Whole milliseconds are waited for in the event loop; the last fraction of a
// millisecond is slept, which a timer cannot resolve.
void QtPlatform::waitForEventsUntilPrecise(double deadline) {
  const uint32_t now = timeGetTime();
  const double remaining = deadline - preciseMs();
  if (remaining <= 0) return;
  if (remaining >= 1.0) {
    waitForEvents(now + static_cast<uint32_t>(remaining));
    return;
  }
  QThread::usleep(static_cast<unsigned long>(remaining * 1000.0) + 1);
}

void QtPlatform::timerStateChanged(Timer& t) {
  auto* qt = static_cast<QTimer*>(t.backendData);
  if (!qt) {
    qt = new QTimer();
    qt->setTimerType(Qt::PreciseTimer);
    qt->setInterval(t.interval());
    QObject::connect(qt, &QTimer::timeout, [&t] { t.fire(); });
    t.backendData = qt;
  }
  if (t.enabled())
    qt->start();
  else
    qt->stop();
}

void QtPlatform::timerDestroyed(Timer& t) {
  delete static_cast<QTimer*>(t.backendData);
  t.backendData = nullptr;
}

SoundBackend& QtPlatform::sound() {
  if (!sound_) sound_ = sys::MakeSoundBackend(programDir());
  return *sound_;
}

void QtPlatform::messageBox(const QString& text, MsgIcon icon, const QString& title) {
  QMessageBox box(icon == MsgIcon::Exclamation   ? QMessageBox::Warning
                  : icon == MsgIcon::Question    ? QMessageBox::Question
                  : icon == MsgIcon::Information ? QMessageBox::Information
                                                 : QMessageBox::NoIcon,
                  title, text, QMessageBox::Ok);
  box.exec();
}

bool QtPlatform::askYesNo(const QString& text, MsgIcon icon, const QString& title) {
  QMessageBox box(icon == MsgIcon::Question ? QMessageBox::Question : QMessageBox::NoIcon, title,
                  text, QMessageBox::Yes | QMessageBox::No);
  box.setDefaultButton(QMessageBox::Yes);
  return box.exec() == QMessageBox::Yes;
}

void QtPlatform::endProgram() {
  if (sound_) sound_->stop();
  std::fflush(nullptr);
  std::_Exit(0);
}

bool QtPlatform::acquireSingleInstanceLock() { return lock_.acquire(); }

namespace {
int tppFromDpi(double dpi) { return dpi > 0 ? static_cast<int>(std::lround(1440.0 / dpi)) : 15; }
}  // namespace

int QtPlatform::twipsPerPixelX() {
  QScreen* s = QGuiApplication::primaryScreen();
  return s ? tppFromDpi(s->logicalDotsPerInchX()) : 15;
}

int QtPlatform::twipsPerPixelY() {
  QScreen* s = QGuiApplication::primaryScreen();
  return s ? tppFromDpi(s->logicalDotsPerInchY()) : 15;
}

QString QtPlatform::programDir() { return QCoreApplication::applicationDirPath(); }

QString QtPlatform::settingsFilePath(const QString& dataDir) {
  return sys::SettingsFilePath(programDir(), dataDir);
}

namespace {

// Sees a widget's first paint and then hands the work to the event loop, so
// that it runs once the painted picture is on the screen.
class FirstPaintWatch : public QObject {
 public:
  FirstPaintWatch(QWidget& widget, std::function<void()> work)
      : QObject(&widget), widget_(widget), work_(std::move(work)) {}

 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint && work_) {
      QTimer::singleShot(0, &widget_, std::move(work_));
      work_ = nullptr;
      widget_.removeEventFilter(this);
      deleteLater();
    }
    return false;
  }

 private:
  QWidget& widget_;
  std::function<void()> work_;
};

}  // namespace

void QtPlatform::afterFirstPaint(QWidget& widget, std::function<void()> work) {
  widget.installEventFilter(new FirstPaintWatch(widget, std::move(work)));
}

}  // namespace kv
