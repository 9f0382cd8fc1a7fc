// What the game asks of Windows itself: saving the settings file, code page
// 932, where an installed copy keeps its settings, one running copy, and the
// end of the session. Run under Wine by scripts/windows.sh.
#include <gtest/gtest.h>
#include <windows.h>

#include <QDir>
#include <QTemporaryDir>
#include <QWidget>

#include "platform/cp932.h"
#include "platform/system.h"
#include "platform/windows/session_end.h"
#include "settings/file_replace.h"
#include "tests/sim_fixture.h"

namespace kv::test {
namespace {

std::wstring wide(const QString& path) { return QDir::toNativeSeparators(path).toStdWString(); }

DWORD attributes(const QString& path) { return ::GetFileAttributesW(wide(path).c_str()); }

QStringList entries(const QString& dir) {
  return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

}  // namespace

// Every character the code page holds comes back as itself, through the
// system's own tables; bytes below 0x80 are ASCII both ways.
TEST(WindowsCp932, TheSystemsConversionRoundTripsEveryCharacterItHolds) {
  for (int b = 0; b < 0x80; ++b) {
    const QByteArray one(1, static_cast<char>(b));
    EXPECT_EQ(fromCp932(one), QString(QChar(b))) << b;
    EXPECT_EQ(toCp932(QString(QChar(b))), one) << b;
  }
  int doubles = 0;
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (!isCp932LeadByte(static_cast<unsigned char>(lead))) continue;
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      const QByteArray bytes = QByteArray(1, static_cast<char>(lead)) + static_cast<char>(trail);
      const QString text = fromCp932(bytes);
      if (text.contains(QChar(QChar::ReplacementCharacter))) continue;
      ASSERT_EQ(text.size(), 1) << lead << " " << trail;
      // Duplicates in the table (NEC and IBM rows) come back in one form,
      // which reads as the same character.
      EXPECT_EQ(fromCp932(toCp932(text)), text) << lead << " " << trail;
      ++doubles;
    }
  }
  EXPECT_GT(doubles, 7000);
  const std::pair<QString, QByteArray> known[] = {
      {QStringLiteral("ＭＳ ゴシック"), "\x82\x6c\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4e"},
      {QStringLiteral("ｱｲｳ"), "\xb1\xb2\xb3"},
      // Best-fit forms and "?" for what the code page lacks, as every Windows
      // program's ANSI conversion gives them.
      {QStringLiteral("ë"), "e"},
      {QStringLiteral("ß"), "s"},
      {QStringLiteral("a\U0001F600b"), "a?b"},
  };
  for (const auto& [text, bytes] : known) EXPECT_EQ(toCp932(text), bytes) << text.toStdString();
  // Malformed bytes: a lead byte at the end, or before a byte that cannot
  // follow it, stands alone as U+FFFD.
  EXPECT_EQ(fromCp932(QByteArray("A\x82")), QStringLiteral("A\uFFFD"));
  EXPECT_EQ(fromCp932(QByteArray("\x82 B")), QStringLiteral("\uFFFD B"));
}

class WindowsSave : public ::testing::Test {
 protected:
  QTemporaryDir tmp;
  // A Japanese folder name: paths are wide throughout.
  QString dir = tmp.path() + QStringLiteral("/プレイヤー");
  QString file = dir + QStringLiteral("/qelmira.ini");
  void SetUp() override { ASSERT_TRUE(QDir().mkpath(dir)); }
};

TEST_F(WindowsSave, ANewFileAndAReplacementLeaveNothingElseBehind) {
  ASSERT_TRUE(replaceFile(file, "[IniCheck]\r\nDummy=1\r\n"));
  EXPECT_EQ(readFile(file), QByteArray("[IniCheck]\r\nDummy=1\r\n"));
  // The replacement keeps the old file's attributes (a hidden file stays
  // hidden).
  ASSERT_TRUE(::SetFileAttributesW(wide(file).c_str(), FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(replaceFile(file, "x"));
  EXPECT_EQ(readFile(file), QByteArray("x"));
  EXPECT_TRUE(attributes(file) & FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ(entries(dir), QStringList{"qelmira.ini"});
}

TEST_F(WindowsSave, AReadOnlyFileIsLeftAloneAndEveryFailureNamed) {
  writeFile(file, "old");
  ASSERT_TRUE(::SetFileAttributesW(wide(file).c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(replaceFile(file, "new").error, SaveError::FileReadOnly);
  ::SetFileAttributesW(wide(file).c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(readFile(file), QByteArray("old"));
  EXPECT_EQ(replaceFile(dir + "/missing/qelmira.ini", "x").error, SaveError::FolderMissing);
  EXPECT_EQ(replaceFile(dir, "x").error, SaveError::Other);
  EXPECT_EQ(entries(dir), QStringList{"qelmira.ini"});
}

// A folder that takes no new file (the test script makes one and names it in
// KORVANE_LOCKED_FOLDER, with a writable qelmira.ini in it): the file is
// rewritten where it stands; a file that is not there yet cannot be made.
TEST(WindowsSaveLocked, AWritableFileInALockedFolderIsRewrittenInPlace) {
  const QString locked = QDir::fromNativeSeparators(qEnvironmentVariable("KORVANE_LOCKED_FOLDER"));
  if (locked.isEmpty())
    GTEST_SKIP() << "run by scripts/windows/run-tests.sh, which makes the folder";
  const QString file = locked + "/qelmira.ini";
  const QByteArray before = readFile(file);
  ASSERT_TRUE(replaceFile(file, "[IniCheck]\r\nDummy=1\r\n"));
  EXPECT_EQ(readFile(file), QByteArray("[IniCheck]\r\nDummy=1\r\n"));
  ASSERT_TRUE(replaceFile(file, before));
  EXPECT_EQ(replaceFile(locked + "/other.ini", "x").error, SaveError::FolderLocked);
  EXPECT_EQ(entries(locked), QStringList{"qelmira.ini"});
}

// An installed copy keeps its settings in the roaming application data; a
// portable one beside itself.
TEST(WindowsLocations, TheInstallersMarkSendsTheSettingsToAppData) {
  QTemporaryDir tmp;
  const QString program = tmp.path() + QStringLiteral("/ゲーム");
  ASSERT_TRUE(QDir().mkpath(program));
  EXPECT_EQ(sys::SettingsFilePath(program, program), program + "/qelmira.ini");
  writeFile(program + "/korvane.installed", "");
  const QString installed = sys::SettingsFilePath(program, program);
  EXPECT_TRUE(installed.endsWith("/AppData/Roaming/KORVANE/qelmira.ini", Qt::CaseInsensitive))
      << installed.toStdString();
}

TEST(WindowsInstance, TheLockIsANamedMutexOfTheSession) {
  sys::SingleInstanceLock lock;
  ASSERT_TRUE(lock.acquire());
  // Another process asking for the same name finds it taken.
  HANDLE other = ::CreateMutexW(nullptr, FALSE, L"Local\\org.korvane.Korvane");
  ASSERT_NE(other, nullptr);
  EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  ::CloseHandle(other);
}

// Log-off: the session may end, and when it does the window closes once, as
// its close box would (which saves the settings).
TEST(WindowsSessionEnd, TheEndOfTheSessionClosesTheWindowOnce) {
  struct Window : QWidget {
    int closes = 0;
    void closeEvent(QCloseEvent* e) override {
      ++closes;
      QWidget::closeEvent(e);
    }
  } w;
  w.show();
  sys::SessionEndFilter filter;
  filter.watch(&w);
  auto send = [&](UINT message, WPARAM wParam) {
    MSG msg{};
    msg.message = message;
    msg.wParam = wParam;
    qintptr result = -1;
    const bool handled = filter.nativeEventFilter("windows_generic_MSG", &msg, &result);
    return std::pair(handled, result);
  };
  EXPECT_EQ(send(WM_QUERYENDSESSION, 0), std::pair(true, qintptr{TRUE}));
  // The session goes on after all (another program refused).
  EXPECT_FALSE(send(WM_ENDSESSION, FALSE).first);
  EXPECT_EQ(w.closes, 0);
  EXPECT_TRUE(send(WM_ENDSESSION, TRUE).first);
  EXPECT_TRUE(send(WM_ENDSESSION, TRUE).first);
  EXPECT_EQ(w.closes, 1);
  EXPECT_FALSE(w.isVisible());
  EXPECT_FALSE(send(WM_PAINT, 0).first);
}

// The test program serves as a saving process to be killed only in the
// POSIX saves' tests.
int SaveLoopMain(int, char**) { return -1; }

}  // namespace kv::test
