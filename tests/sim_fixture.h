#pragma once
// A window on the simulated backend: virtual time, scripted input, recorded
// sounds. Start-up runs in a temporary program directory without a settings
// file, with the generated sounds copied beside it.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <memory>

#include "app/form.h"
#include "platform/sim_platform.h"
#include "platform/sim_program_dir.h"
#include "platform/twips.h"

namespace kv::test {

inline QByteArray readFile(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

inline void writeFile(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

// A file with its folders.
inline void put(const QString& file, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(file).path());
  writeFile(file, bytes);
}

// Copies the help the build made, in both languages, into `to`.
inline void copyHelp(const QString& to) {
  const QString from = QCoreApplication::applicationDirPath() + "/help";
  for (const QString& sub : {QString(), QString("/en")}) {
    QDir().mkpath(to + "/help" + sub);
    for (const QString& f : QDir(from + sub).entryList(QDir::Files))
      QFile::copy(from + sub + "/" + f, to + "/help" + sub + "/" + f);
  }
}

// A pointer move over `w` at pixel `at`, as the toolkit delivers it.
inline void sendMove(QWidget* w, QPointF at) {
  QMouseEvent ev(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                 Qt::NoModifier);
  QCoreApplication::sendEvent(w, &ev);
}

// Counts the paint events a widget receives.
struct PaintCounter : QObject {
  int n = 0;
  bool eventFilter(QObject*, QEvent* e) override {
    n += e->type() == QEvent::Paint;
    return false;
  }
};

class SimGame : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    mod() = Module1{};
    sim = std::make_unique<SimPlatform>();
    sim->dir = dir.path();
  }
  void TearDown() override {
    form.reset();
    sim.reset();
  }
  // Builds the window and runs start-up.
  Form& start() {
    form = std::make_unique<Form>(*sim);
    form->Load();
    sim->random().seed(7);
    return *form;
  }
  // Starts again on a fresh backend whose clock starts at `startMs`, in the
  // same program directory.
  Form& restart(uint32_t startMs = 1'000'000) {
    form.reset();
    mod() = Module1{};
    sim = std::make_unique<SimPlatform>(startMs);
    sim->dir = dir.path();
    return start();
  }
  // Click on the main button through the toolkit, as the player would.
  void clickAns() { QTest::mouseClick(form->CmdAns->button(), Qt::LeftButton); }
  // Pointer move over the plot at twips (x, y).
  void movePointer(double x, double y) {
    sendMove(form->PicMain->widget(), QPointF(toPx(x), toPx(y)));
  }
  // Runs `then` once, when the next stage has been set up, when its point
  // runs and takes the press, or when a press holds the run for the marking.
  void onSetUp(std::function<void()> then) {
    sim->when([this] { return st().GameMode == 2; }, std::move(then));
  }
  void onRun(std::function<void()> then) {
    sim->when([this] { return st().GameMode == 2 && form->CmdAns->Enabled(); }, std::move(then));
  }
  void onMarking(std::function<void()> then) {
    sim->when([this] { return st().Frozen == 1; }, std::move(then));
  }
  void clickMarker() { QTest::mouseClick(form->PicAns->widget(), Qt::LeftButton); }
  void key(Qt::Key k) { QTest::keyClick(form->win.get(), k); }
  QStringList sounds() const { return sim->simSound().names(); }
  GameState& st() { return form->st; }

  SimProgramDir dir;
  std::unique_ptr<SimPlatform> sim;
  std::unique_ptr<Form> form;
};

}  // namespace kv::test
