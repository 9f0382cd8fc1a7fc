#include "app/fixed_size.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QPointer>
#include <QTimer>
#include <QWindow>
#include <functional>

namespace kv {
namespace {

constexpr Qt::WindowStates kLarge = Qt::WindowMaximized | Qt::WindowFullScreen;

// Under a Wayland compositor: a maximised or full-screen state is given back
// at once, and any other size the window was given is undone. Only the
// states the compositor has confirmed count (those its window reports): while
// it still holds the window maximised, the window must keep the size it was
// given.
class SizeKeeper : public QObject {
 public:
  explicit SizeKeeper(QWidget* w) : QObject(w), w_(w) { w->installEventFilter(this); }

 protected:
  bool eventFilter(QObject* o, QEvent* e) override {
    if (o == w_ && e->type() == QEvent::Show && !window_ && w_->windowHandle()) {
      window_ = w_->windowHandle();
      window_->installEventFilter(this);
    } else if (o == window_ && e->type() == QEvent::WindowStateChange) {
      large_ = window_->windowStates() & kLarge;
      if (large_) later([this] { w_->setWindowState(w_->windowState() & ~kLarge); });
    } else if (o == w_ && e->type() == QEvent::Resize && !large_) {
      later([this] {
        if (!large_ && w_->size() != w_->minimumSize()) w_->resize(w_->minimumSize());
      });
    }
    return false;
  }

 private:
  // After the event, once the toolkit has taken the new state or size.
  void later(std::function<void()> f) { QTimer::singleShot(0, this, std::move(f)); }

  QWidget* w_;
  QPointer<QWindow> window_;
  bool large_ = false;
};

}  // namespace

void KeepFixedSize(QWidget* window) {
  // X11 window managers and Windows honour a window whose least and greatest
  // sizes agree: they offer neither maximising nor resizing. Under Wayland the
  // toolkit draws the title bar itself, maximise button included, and the
  // compositor then insists on the size it picked: a window that stays
  // smaller than a maximised size ends the connection with a protocol error.
  // There the window has no greatest size, so it can follow whatever the
  // compositor configures, and goes back to its own size at once.
  if (!QGuiApplication::platformName().startsWith(QStringLiteral("wayland"))) {
    window->layout()->setSizeConstraint(QLayout::SetFixedSize);
    return;
  }
  window->layout()->setSizeConstraint(QLayout::SetMinimumSize);
  new SizeKeeper(window);
}

}  // namespace kv
