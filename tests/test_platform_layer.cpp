// The platform layer itself: virtual time, timers inside nested waits,
// scheduled input, and the pixel-exact drawing modes.
#include <QImage>
#include <QInputMethodEvent>
#include <QWidget>

#include "platform/label.h"
#include "platform/picture.h"
#include "platform/qt_platform.h"
#include "platform/raster.h"
#include "platform/text_box.h"
#include "tests/sim_fixture.h"

namespace kv::test {

TEST(SimClock, TimersFireAtExactVirtualTimesAlsoInsideNestedWaits) {
  SimPlatform sim(0);
  std::vector<uint32_t> ticks, inner;
  Timer outer(sim, 40, [&] { ticks.push_back(sim.now()); });
  Timer nested(sim, 100, [&] {
    inner.push_back(sim.now());
    // A handler that itself waits 250 ms with events, as a tick may.
    const uint32_t until = sim.now() + 250;
    while (static_cast<int32_t>(sim.now() - until) < 0) sim.waitForEvents(until);
  });
  outer.setEnabled(true);
  nested.setEnabled(true);
  sim.advance(460);
  // The 40 ms timer keeps ticking while the 100 ms tick is inside its wait.
  ASSERT_GE(ticks.size(), 9u);
  EXPECT_EQ(std::vector(ticks.begin(), ticks.begin() + 4),
            (std::vector<uint32_t>{40, 80, 120, 160}));
  // The waiting tick does not re-enter itself; it comes again one interval
  // after it returned.
  EXPECT_EQ(inner, (std::vector<uint32_t>{100, 450}));
}

TEST(SimClock, ScheduledInputRunsBetweenEventsAndConditionsFireOnce) {
  SimPlatform sim(0xFFFFFF00u);  // across the 32-bit wrap
  int flag = 0, fired = 0;
  std::vector<uint32_t> at;
  sim.after(500, [&] { flag = 1; });
  sim.when([&] { return flag == 1; },
           [&] {
             ++fired;
             at.push_back(sim.now());
           });
  sim.runUntil([&] { return fired > 0; });
  sim.advance(1000);
  EXPECT_EQ(std::tuple(fired, at), std::tuple(1, std::vector<uint32_t>{0xFFFFFF00u + 500u}));
  // A wait with nothing to wait for is a fault in the test or the program.
  EXPECT_THROW(sim.waitForEvents(std::nullopt), SimulationStalled);
  // Waiting without events advances time and fires nothing.
  Timer t(sim, 10, [&] { ++fired; });
  t.setEnabled(true);
  sim.sleepWithoutEvents(100);
  EXPECT_EQ(fired, 1);
  sim.processEvents();
  EXPECT_EQ(fired, 2);  // one late tick, no catch-up
}

TEST(RasterModes, XorCopyMaskMergeAndTheFigureExtents) {
  QImage img(40, 30, QImage::Format_RGB32);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) img.setPixel(x, y, qRgb(x * 6, y * 8, (x * y) % 256));
  const QImage before = img.copy();
  for (int pass = 0; pass < 2; ++pass) {
    Raster r(img, kXorPen);
    r.fill(0, 0, 30, 20, rgb(255, 255, 255));
    r.box(2, 2, 12, 12, rgb(10, 20, 30), 3);
  }
  EXPECT_EQ(img, before);
  // Lines include their start and exclude their end point, in every
  // direction, upright and level ones (drawn as runs) included.
  const std::array<int, 4> lines[] = {
      {0, 0, 10, 0}, {10, 2, 0, 2}, {3, 4, 3, 14}, {5, 14, 5, 4}, {7, 4, 12, 9}};
  for (const auto& [x1, y1, x2, y2] : lines) {
    QImage fresh = before;
    Raster(fresh, kXorPen).line(x1, y1, x2, y2, rgb(1, 2, 3), 1);
    const int length = std::max(std::abs(x2 - x1), std::abs(y2 - y1));
    int changed = 0;
    for (int y = 0; y < fresh.height(); ++y)
      for (int x = 0; x < fresh.width(); ++x) changed += fresh.pixel(x, y) != before.pixel(x, y);
    EXPECT_EQ(changed, length) << x1 << "," << y1 << " to " << x2 << "," << y2;
    EXPECT_NE(fresh.pixel(x1, y1), before.pixel(x1, y1));
    EXPECT_EQ(fresh.pixel(x2, y2), before.pixel(x2, y2));
  }
  Raster(img, kCopyPen).box(20, 20, 25, 24, rgb(9, 9, 9), 1);
  EXPECT_EQ(readPixel(img, 25, 24), rgb(9, 9, 9));  // both corners included
  EXPECT_EQ(readPixel(img, 22, 22), fromQRgb(before.pixel(22, 22)));
  Raster(img, kMaskPen).fill(30, 0, 39, 5, rgb(63, 63, 127));
  EXPECT_EQ(readPixel(img, 33, 3), fromQRgb(before.pixel(33, 3)) & rgb(63, 63, 127));
  Raster(img, kMergePen).fill(30, 10, 39, 12, rgb(255, 0, 0));
  EXPECT_EQ(redOf(readPixel(img, 35, 11)), 255);
  // Outside the image on either side.
  EXPECT_EQ(std::pair(readPixel(img, 40, 0), readPixel(img, -1, 5)), std::pair(-1, -1));
}

// A label sized to its text ends at the same size whether it was shown while
// its text changed or measured later, and an explicit size or the end of
// sizing to the text wins over a measurement still to come.
TEST(LabelSizing, MeasuredLaterEndsAsMeasuredAtOnce) {
  QWidget window;
  window.resize(400, 300);
  window.show();
  // (what happens once the caption is set, how, whether the size is the text's)
  const std::tuple<const char*, std::function<void(Label&)>, bool> cases[] = {
      {"nothing more", [](Label&) {}, true},
      {"moved with a size", [](Label& l) { l.Move(30, 45, 600, 300); }, false},
      {"moved without one", [](Label& l) { l.MoveTo(30, 45); }, true},
      {"no longer sized to its text", [](Label& l) { l.setAutoSize(false); }, true},
      {"shown", [](Label& l) { l.setVisible(true); }, true},
  };
  for (const auto& [name, after, fitted] : cases) {
    SCOPED_TRACE(name);
    Label shown(&window), hidden(&window);
    for (Label* l : {&shown, &hidden}) {
      l->setFont(QStringLiteral("IPAGothic"), 12);
      l->setAutoSize(true);
    }
    hidden.setVisible(false);
    for (Label* l : {&shown, &hidden}) {
      l->setCaption(QStringLiteral("SCORE  500\r\n2"));
      after(*l);
    }
    EXPECT_EQ(std::pair(hidden.Width(), hidden.Height()), std::pair(shown.Width(), shown.Height()));
    EXPECT_EQ(hidden.Width() != 600, fitted);
    EXPECT_TRUE(!fitted || shown.Height() > 15 * 20) << shown.Height();  // two lines
    Label copy(&window);
    copy.copyLookFrom(hidden);
    EXPECT_EQ(copy.widget()->geometry(), shown.widget()->geometry());
  }
}

// A picture set on a box is shown as it is until something is drawn on it;
// the screen and the image agree at every step, with the box's background
// beside and below a smaller picture.
TEST(PictureBox, ASetPictureShowsAtOnceAndTakesDrawingLikeTheImage) {
  QWidget window;
  Picture box(&window);
  box.Move(0, 0, 6 * 15, 5 * 15);
  box.setBackColor(rgb(0, 0, 255));
  QImage red(4, 3, QImage::Format_RGB32);
  red.fill(qRgb(255, 0, 0));
  auto expectPixels = [&](const char* step, QRgb inside, QRgb beside, QRgb corner) {
    SCOPED_TRACE(step);
    const QImage screen = box.widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    for (const QImage& img : {screen, box.image()}) {
      EXPECT_EQ(std::tuple(img.pixel(1, 1), img.pixel(5, 1), img.pixel(1, 4), img.pixel(0, 0)),
                std::tuple(inside, beside, beside, corner));
    }
  };
  box.SetPicture(red);
  expectPixels("set", qRgb(255, 0, 0), qRgb(0, 0, 255), qRgb(255, 0, 0));
  box.PSet(0, 0, rgb(0, 255, 0));
  expectPixels("drawn on", qRgb(255, 0, 0), qRgb(0, 0, 255), qRgb(0, 255, 0));
  box.SetPicture(red);
  box.Cls();
  expectPixels("cleared", qRgb(0, 0, 255), qRgb(0, 0, 255), qRgb(0, 0, 255));
}

// The length limit of a text box counts UTF-16 units but never keeps half of
// a character outside the basic plane, whether the text comes from an input
// method or is inserted as the X11 selection is.
TEST(TextBox, TheLengthLimitCutsWholeCharacters) {
  QWidget window;
  TextBox box(&window);
  box.setMaxLength(3);
  box.edit()->insert("AB\U0001F600");
  EXPECT_EQ(box.Text(), "AB");
  box.setText("");
  QInputMethodEvent ime;
  ime.setCommitString("AB\U0001F600");
  QCoreApplication::sendEvent(box.edit(), &ime);
  EXPECT_EQ(box.Text(), "AB");
  box.setText("A");
  box.edit()->end(false);
  box.edit()->insert("\U0001F600\U0001F600");
  EXPECT_EQ(box.Text(), "A\U0001F600");
}

// Work left until a widget's first paint runs from the event loop after that
// paint, and once, however often the widget is painted again.
TEST(FirstPaint, TheWorkWaitsForTheWidgetsFirstPaintAndRunsOnce) {
  PaintCounter paints;
  QtPlatform plat;
  QWidget w;
  w.resize(50, 50);
  w.installEventFilter(&paints);
  int runs = 0, paintsBefore = -1;
  plat.afterFirstPaint(w, [&] {
    ++runs;
    paintsBefore = paints.n;
  });
  QCoreApplication::processEvents();
  EXPECT_EQ(runs, 0);
  w.show();
  for (int i = 0; i < 100 && runs == 0; ++i)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  EXPECT_EQ(std::tuple(runs, paintsBefore >= 1), std::tuple(1, true));
  w.repaint();
  QCoreApplication::processEvents();
  EXPECT_EQ(runs, 1);
}

// One copy at a time: a second lock is refused while the first copy holds
// its own, and granted once that copy has ended.
TEST(SingleInstance, ASecondCopyIsRefusedUntilTheFirstEnds) {
  QTemporaryDir run;
  const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
  qputenv("XDG_RUNTIME_DIR", QFile::encodeName(run.path()));
  auto first = std::make_unique<QtPlatform>();
  EXPECT_TRUE(first->acquireSingleInstanceLock());
  EXPECT_FALSE(QtPlatform().acquireSingleInstanceLock());
  first.reset();
  EXPECT_TRUE(QtPlatform().acquireSingleInstanceLock());
  qputenv("XDG_RUNTIME_DIR", saved);
}

}  // namespace kv::test
