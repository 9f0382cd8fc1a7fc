#include "platform/sim_platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "app/locations.h"
#include "sound/sound.h"

namespace kv {

namespace {
// Differences on the 32-bit clock, wrap-safe.
inline int32_t diff(uint32_t a, uint32_t b) { return static_cast<int32_t>(a - b); }
}  // namespace

void SimSoundBackend::playAsync(const QString& path) {
  plays.push_back({QFileInfo(path).fileName(), false, p_.now()});
}

void SimSoundBackend::playSync(const QString& path) {
  plays.push_back({QFileInfo(path).fileName(), true, p_.now()});
  uint32_t ms = WavDurationMs(path + QStringLiteral(".wav"));
  p_.sleepWithoutEvents(ms ? ms : fallbackMs);
}

QStringList SimSoundBackend::names() const {
  QStringList out;
  for (const auto& p : plays) out << p.name;
  return out;
}

SimPlatform::SimPlatform(uint32_t startMs) : now_(startMs), sound_(*this) { random_.seed(12345); }

uint32_t SimPlatform::timeGetTime() {
  const uint32_t t = now_;
  afterRead();
  return t;
}

double SimPlatform::preciseMs() {
  const double t = static_cast<double>(elapsed_);
  afterRead();
  return t;
}

void SimPlatform::afterRead() {
  ++reads_;
  if (readDelay) pass(readDelay(reads_));
}

void SimPlatform::pass(uint32_t ms) {
  now_ += ms;
  elapsed_ += ms;
}

SimPlatform::~SimPlatform() {
  for (Timer* t : timers_) t->backendData = nullptr;
}

double SimPlatform::secondsOfDay() {
  // The time of day starts again from 0 at midnight.
  return std::fmod(dayStartSeconds + now_ / 1000.0, 86400.0);
}

QString SimPlatform::programDir() {
  return dir.isEmpty() ? QCoreApplication::applicationDirPath() : dir;
}

QString SimPlatform::settingsFilePath(const QString& dataDir) {
  return ChooseIniPath(programDir(), dataDir, qEnvironmentVariable("XDG_CONFIG_HOME"),
                       QDir::homePath());
}

void SimPlatform::timerStateChanged(Timer& t) {
  if (std::find(timers_.begin(), timers_.end(), &t) == timers_.end()) timers_.push_back(&t);
  if (t.enabled()) t.due = now_ + static_cast<uint32_t>(t.interval());
}

void SimPlatform::timerDestroyed(Timer& t) { std::erase(timers_, &t); }

void SimPlatform::messageBox(const QString& text, MsgIcon icon, const QString& title) {
  messages.push_back(title + QStringLiteral(": ") + text);
  icons.push_back(icon);
}

bool SimPlatform::askYesNo(const QString& text, MsgIcon icon, const QString& title) {
  messageBox(text, icon, title);
  if (whileAsking) std::exchange(whileAsking, nullptr)();
  if (answers.empty()) return true;
  const bool yes = answers.front();
  answers.erase(answers.begin());
  return yes;
}

void SimPlatform::endProgram() {
  std::fflush(nullptr);
  std::_Exit(exitCode);
}

void SimPlatform::at(uint32_t at, std::function<void()> action) {
  inputs_.push_back({at, {}, std::move(action), seq_++});
}

void SimPlatform::when(std::function<bool()> cond, std::function<void()> action) {
  inputs_.push_back({0, std::move(cond), std::move(action), seq_++});
}

// Fires the earliest thing that is due now: a timer tick or a scheduled input
// (inputs first on a tie, in the order they were scheduled).
bool SimPlatform::fireOneDue() {
  for (size_t i = 0; i < inputs_.size(); ++i) {
    Input& in = inputs_[i];
    const bool due = in.cond ? in.cond() : diff(now_, in.at) >= 0;
    if (due) {
      auto action = std::move(in.action);
      inputs_.erase(inputs_.begin() + static_cast<long>(i));
      action();
      return true;
    }
  }
  Timer* best = nullptr;
  for (Timer* t : timers_) {
    if (!t->enabled() || t->inTick() || diff(now_, t->due) < 0) continue;
    if (!best || diff(t->due, best->due) < 0) best = t;
  }
  if (best) {
    // The next tick counts from the end of this one; late ticks are not
    // caught up.
    best->fire();
    best->due = now_ + static_cast<uint32_t>(best->interval());
    return true;
  }
  return false;
}

void SimPlatform::processEvents() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  while (fireOneDue()) {
  }
}

std::optional<uint32_t> SimPlatform::nextDue() const {
  std::optional<uint32_t> best;
  auto consider = [&](uint32_t t) {
    if (diff(t, now_) < 0) t = now_;
    if (!best || diff(t, *best) < 0) best = t;
  };
  for (const Input& in : inputs_)
    if (!in.cond) consider(in.at);
  for (Timer* t : timers_)
    if (t->enabled() && !t->inTick()) consider(t->due);
  return best;
}

void SimPlatform::waitForEvents(std::optional<uint32_t> deadline) {
  std::optional<uint32_t> next = nextDue();
  if (deadline && (!next || diff(*deadline, *next) < 0)) next = deadline;
  if (!next) throw SimulationStalled("the program waits for an event that never comes");
  if (diff(*next, now_) > 0) pass(*next - now_);
  processEvents();
}

void SimPlatform::advance(uint32_t ms) {
  const uint32_t end = now_ + ms;
  processEvents();
  while (diff(end, now_) > 0) waitForEvents(end);
}

void SimPlatform::runUntil(const std::function<bool()>& cond, uint32_t limitMs) {
  const uint32_t end = now_ + limitMs;
  processEvents();
  while (!cond()) {
    if (diff(now_, end) >= 0) throw SimulationStalled("condition not reached in time");
    waitForEvents(end);
  }
}

}  // namespace kv
