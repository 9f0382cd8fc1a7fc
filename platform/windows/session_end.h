#pragma once
// The native event filter that turns the end of the session into a close of
// the game's window (see session_end.cpp); its own header so tests can hand
// it the messages Windows sends.
#include <QAbstractNativeEventFilter>
#include <QPointer>
#include <QWidget>

namespace kv::sys {

class SessionEndFilter : public QAbstractNativeEventFilter {
 public:
  void watch(QWidget* window) {
    window_ = window;
    done_ = false;
  }
  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

 private:
  QPointer<QWidget> window_;
  bool done_ = false;
};

}  // namespace kv::sys
