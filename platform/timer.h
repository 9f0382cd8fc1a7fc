#pragma once
#include <cstdint>
#include <functional>

namespace kv {

class Platform;

// A window timer with a fixed interval. Enabling a disabled timer starts its
// interval from now; enabling an enabled one changes nothing. A tick does not
// re-enter itself.
class Timer {
 public:
  Timer(Platform& p, int intervalMs, std::function<void()> onTick)
      : platform_(p), interval_(intervalMs), onTick_(std::move(onTick)) {}
  ~Timer();
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  bool enabled() const { return enabled_; }
  void setEnabled(bool on);
  int interval() const { return interval_; }
  void setOnTick(std::function<void()> f) { onTick_ = std::move(f); }

  // Called by the backend.
  void fire() {
    if (!enabled_ || inTick_) return;
    inTick_ = true;
    if (onTick_) onTick_();
    inTick_ = false;
  }
  bool inTick() const { return inTick_; }
  // Backend bookkeeping.
  void* backendData = nullptr;
  uint32_t due = 0;

 private:
  Platform& platform_;
  int interval_;
  std::function<void()> onTick_;
  bool enabled_ = false;
  bool inTick_ = false;
};

}  // namespace kv
