#include <fcntl.h>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFileInfo>
#include <csignal>
#include <limits>
#include <random>
#include <string_view>

#include "platform/cp932.h"
#include "settings/file_replace.h"
#include "settings/settings_file.h"
#include "tests/sim_fixture.h"

namespace kv::test {
namespace {

// Default settings; the window is 600x400 pixels on a 1280x960 screen.
struct Fixture {
  QTemporaryDir dir;
  QString path = MakeIniPath(dir.path());
  SettingsData d;
  WindowPlacement win{0, 0, 9000, 6000, 19200, 14400};
  Fixture() { ClearRanking(d.ranking); }
  bool load(const QByteArray& file) {
    writeFile(path, file);
    return LoadSettings(path, d, win);
  }
};

TEST(SettingsFile, LeadingNumber) {
  const double inf = std::numeric_limits<double>::infinity();
  const std::pair<const char*, double> cases[] = {
      {"", 0},      {" 12", 12}, {"1 2\t3", 123}, {"-\t5", -5},   {"\n7", 7},       {"3.5x", 3.5},
      {"+.5", 0.5}, {".", 0},    {"abc", 0},      {"1E-2", .01},  {"1e", 1},        {"2d2", 200},
      {"1\r2", 1},  {"0x10", 0}, {"--1", 0},      {"1e400", inf}, {"-1e400", -inf}, {"1e-400", 0},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(LeadingNumber(text), value) << text;
  // Too small for a double however large its written exponent.
  EXPECT_EQ(LeadingNumber("0." + QString(400, u'0') + "1e5"), 0.0);
}

TEST(SettingsFile, FreshFileLayout) {
  Fixture f;
  f.d.recentName = "ｱｲ";
  // A save leaves no file open behind it.
  auto openFiles = [] {
    return QDir("/proc/self/fd").entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
  };
  const QStringList before = openFiles();
  // A leftover of a save that died, under the first temporary name, is passed over.
  const QString leftover = f.path + ".new" + QString::number(::getpid()) + "-0";
  writeFile(leftover, "x");
  for (int i = 0; i < 2; ++i)
    ASSERT_TRUE(SaveSettings(f.path, f.d, 1200, 840.5));  // new, then over
  EXPECT_EQ(std::pair(openFiles(), readFile(leftover)), std::pair(before, QByteArray("x")));
  const QByteArray out = readFile(f.path);
  EXPECT_EQ(out.count('\n'), 62);
  EXPECT_TRUE(out.startsWith(
      "[Option]\r\nKakudai= 0\r\nLineWidth= 0\r\nCountDownSpeed= 0\r\nSoundEffectOnOff= 0\r\n"
      "[Ranking]\r\nName0=Empty\r\nDate0=--/--/--\r\nScore0= 0\r\nStage0= 10\r\nRank0=1\r\n"));
  EXPECT_TRUE(out.endsWith("RecentName=" + toCp932("ｱｲ") +
                           "\r\n[Form]\r\nLeft= 1200\r\nTop= 840.5\r\n[IniCheck]\r\nDummy=1\r\n"));
}

TEST(SettingsFile, RoundTripKeepsWhatTheProgramDoesNotOwn) {
  Fixture f;
  ASSERT_TRUE(f.load(
      "; my notes\n[option]\nkakudai = 1\nLineWidth=3\nMystery=42\n[Ranking]\nName0=" +
      toCp932("ＡＢＣ") +
      "\nDate0=02/08/17\nScore0= 1500\nStage0=15\nRank0=8\nName1=" + toCp932("漢字漢字漢字") +
      "\nDate1=2002/8/17\nRank1=-3\nScore2=99999999999\nRank2=40000\nStage2=-7.5\n"
      "RecentName=  Bob  \n\n[Plugins]\nx=1\n[IniCheck]\nDummy=1"));
  const SettingsData& d = f.d;
  // A width beyond the menu's three ticks none and keeps the default.
  EXPECT_EQ(std::pair(d.opt.OptKakudai, d.opt.OptLineWidth), std::pair(int16_t(1), 1));
  EXPECT_EQ(d.ticks.kakudai, (std::array<bool, 2>{false, true}));
  const RankingEntry &e0 = d.ranking.e[0], &e1 = d.ranking.e[1], &e2 = d.ranking.e[2];
  EXPECT_EQ(std::tuple(e0.Name, e0.Date, e0.Score, e0.Stage, e0.Rank),
            std::tuple(QString("ABC"), QString("02/08/17"), 1500, 15, 8));
  EXPECT_EQ(std::tuple(e1.Name, e1.Date, e1.Rank),
            std::tuple(QString("?"), QString("--/--/--"), 1));
  // Out-of-range numbers are clamped; halves round to even.
  EXPECT_EQ(std::tuple(e2.Score, e2.Rank, e2.Stage, d.ranking.e[3].Name, d.recentName),
            std::tuple(INT32_MAX, INT16_MAX, -8, QString("NONAME"), QString("Bob")));

  ASSERT_TRUE(SaveSettings(f.path, d, f.win.left, f.win.top));
  const QByteArray saved = readFile(f.path);
  EXPECT_TRUE(
      saved.startsWith("; my notes\n[option]\nkakudai = 1\r\nLineWidth=3\nMystery=42\n"
                       "CountDownSpeed= 0\r\nSoundEffectOnOff= 0\r\n[Ranking]\nName0=ABC\r\n"));
  EXPECT_TRUE(saved.contains("\n\n[Plugins]\nx=1\n[IniCheck]\nDummy=1\r\n[Form]\r\nLeft= 0\r\n"));

  Fixture again;
  ASSERT_TRUE(LoadSettings(f.path, again.d, again.win));
  for (int i = 0; i < 10; ++i) {
    const RankingEntry &a = again.d.ranking.e[i], &b = d.ranking.e[i];
    EXPECT_EQ(std::tuple(a.Name, a.Score, a.Rank), std::tuple(b.Name, b.Score, b.Rank)) << i;
  }
}

TEST(SettingsFile, FileWithoutMarkerChangesNothing) {
  for (const char* file :
       {"[Option]\nKakudai=1\n", "[Option]\nKakudai=1\n[IniCheck]\nDummy=0.4\n"}) {
    Fixture f;
    f.win.left = 123;
    EXPECT_FALSE(f.load(file)) << file;
    EXPECT_EQ(std::tuple(f.d.opt.OptKakudai, f.d.ranking.e[0].Name, f.win.left),
              std::tuple(0, QString("Empty"), 123.0));
  }
  Fixture f;
  EXPECT_FALSE(LoadSettings(f.path, f.d, f.win));  // no file at all
}

TEST(SettingsFile, WindowPosition) {
  // (the Form section, left, top, the window's width and height)
  const std::tuple<const char*, double, double, double, double> cases[] = {
      {"", 0, 0, 9000, 6000},
      // The screen's size itself is accepted.
      {"Left= 19200\nTop= 14400", 19200, 14400, 9000, 6000},
      {"Left=19201\nTop=300", 5100, 300, 9000, 6000},
      {"Left=-1\nTop=-0.5", 5100, 4200, 9000, 6000},
      {"Left=15\nTop=99999", 15, 4200, 9000, 6000},
      // (screen - window) is rounded half to even before halving.
      {"Left=-1\nTop=-1", 5100, 5101, 19200 - 10200.5, 14400 - 10201.5},
  };
  for (const auto& [form, left, top, width, height] : cases) {
    Fixture f;
    f.win.width = width;
    f.win.height = height;
    ASSERT_TRUE(f.load(QByteArray("[Form]\n") + form + "\n[IniCheck]\nDummy=1\n"));
    EXPECT_EQ(std::pair(f.win.left, f.win.top), std::pair(left, top)) << form;
  }
}

// Runs `body` as an ordinary user, who cannot write where permissions say
// no: here, or, when the tests run as root, in a child process that gives
// root up for user `uid` (65534, the owner setMode gives files, unless
// told), with `group` as a group of its own besides 65534.
int AsOrdinaryUser(const std::function<int()>& body, uid_t uid = 65534, gid_t group = 65534) {
  if (::geteuid() != 0) return body();
  const pid_t child = ::fork();
  if (child == 0) {
    const gid_t groups[] = {group};
    if (::setgroups(1, groups) != 0 || ::setgid(65534) != 0 || ::setuid(uid) != 0) ::_exit(99);
    ::_exit(body());
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 98;
}

void setMode(const QString& path, mode_t mode) {
  const QByteArray p = QFile::encodeName(path);
  ASSERT_EQ(::chmod(p, mode), 0);
  ASSERT_EQ(::geteuid() == 0 ? ::chown(p, 65534, 65534) : 0, 0);
}

TEST(SettingsFile, ASymbolicLinkStaysALinkAndTheFileKeepsItsPermissions) {
  enum Link { Relative, Absolute, Chain, Dangling };
  for (Link link : {Relative, Absolute, Chain, Dangling}) {
    SCOPED_TRACE(link);
    Fixture f;
    QTemporaryDir elsewhere;
    const QString target = (link == Absolute ? elsewhere.path() : f.dir.path()) + "/real.ini";
    if (link != Dangling) {
      writeFile(target, "; mine\n[IniCheck]\nDummy=1\n");
      // Root saving another user's file leaves it that user's.
      setMode(target, 0640);
    }
    const QString first = link == Chain ? f.dir.path() + "/middle.ini" : f.path;
    ASSERT_TRUE(QFile::link(link == Absolute ? target : "real.ini", first));
    ASSERT_TRUE(link != Chain || QFile::link("middle.ini", f.path));

    f.d.recentName = "Zed";
    ASSERT_TRUE(SaveSettings(f.path, f.d, 0, 0));
    EXPECT_TRUE(QFileInfo(f.path).isSymLink());
    EXPECT_TRUE(readFile(target).contains("RecentName=Zed"));
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(target), &st), 0);
    const mode_t umask = ::umask(0);
    ::umask(umask);
    EXPECT_EQ(st.st_mode & 07777, link == Dangling ? 0666 & ~umask : 0640);
    const bool given = link != Dangling && ::geteuid() == 0;
    EXPECT_EQ(st.st_uid, given ? 65534 : ::geteuid());
    EXPECT_EQ(st.st_gid, given ? 65534 : ::getegid());
  }
}

// The ways a save meets a folder or file it may not write or read, or a
// full disk: saved in place where only the folder refuses a new file, else
// the file is left whole and untouched, no half-written copy beside it, and
// the real reason given. A save that happened is not reported as failed.
TEST(SettingsFile, SavesThatTheFolderOrTheFileRefuse) {
  enum Setup {
    LockedFolder,
    ReadOnlyFile,
    LockedFolderNoFile,
    FullDisk,
    LockedFolderFullDisk,
    NoFolder,
    SealedFolder,
    UnreadableFile,
    FolderByThatName,
    UnlistableFolder
  };
  const std::tuple<Setup, SaveError, int> cases[] = {
      {LockedFolder, SaveError::None, 0},
      {ReadOnlyFile, SaveError::FileReadOnly, EACCES},
      {LockedFolderNoFile, SaveError::FolderLocked, EACCES},
      {FullDisk, SaveError::DiskFull, EFBIG},  // a file size limit binds root too
      {LockedFolderFullDisk, SaveError::DiskFull, EFBIG},
      {NoFolder, SaveError::FolderMissing, ENOTDIR},
      {SealedFolder, SaveError::FolderLocked, EACCES},  // not even to be looked into
      {UnreadableFile, SaveError::Other, EACCES},
      {FolderByThatName, SaveError::Other, EISDIR},
      // Written and renamed, but the folder cannot be opened to be synced.
      {UnlistableFolder, SaveError::None, 0},
  };
  std::signal(SIGXFSZ, SIG_IGN);
  for (const auto& [setup, expected, expectedErrno] : cases) {
    SCOPED_TRACE(setup);
    QTemporaryDir tmp;
    setMode(tmp.path(), 0755);
    const QString folder = tmp.path() + "/game";
    ASSERT_TRUE(QDir().mkdir(folder));
    QString path = MakeIniPath(folder);
    const QByteArray old = "; mine\r\n[Ranking]\r\nRecentName=Old\r\n[IniCheck]\r\nDummy=1\r\n";
    if (setup == FolderByThatName) {
      ASSERT_TRUE(QDir().mkdir(path));
    } else if (setup != LockedFolderNoFile) {
      writeFile(path, old);
      // Long ago, so that any writing shows.
      const timespec times[2] = {{1'000'000'000, 0}, {1'000'000'000, 0}};
      ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path), times, 0), 0);
    }
    if (setup == NoFolder) {
      path = MakeIniPath(path);  // below a file
    } else if (setup != LockedFolderNoFile && setup != FolderByThatName) {
      setMode(path, setup == ReadOnlyFile ? 0444 : setup == UnreadableFile ? 0200 : 0644);
    }
    const bool writable = setup == ReadOnlyFile || setup == FullDisk || setup == UnreadableFile ||
                          setup == FolderByThatName;
    setMode(folder, writable                    ? 0755
                    : setup == SealedFolder     ? 0
                    : setup == UnlistableFolder ? 0333
                                                : 0555);

    const int outcome = AsOrdinaryUser([&] {
      if (setup == FullDisk || setup == LockedFolderFullDisk) {
        const rlimit small{256, 256};
        ::setrlimit(RLIMIT_FSIZE, &small);
      }
      SettingsData d;
      ClearRanking(d.ranking);
      d.recentName = "New";
      const SaveResult r = SaveSettings(path, d, 0, 0);
      return static_cast<int>(r.error) * 40 + std::min(r.sysError, 39);
    });
    EXPECT_EQ(std::pair(outcome / 40, outcome % 40),
              std::pair(static_cast<int>(expected), expectedErrno));
    ::chmod(QFile::encodeName(folder), 0755);
    struct stat st {};
    const QByteArray now = readFile(path);
    if (setup == LockedFolder || setup == UnlistableFolder) {
      EXPECT_TRUE(now.startsWith("; mine\r\n[Ranking]\r\nRecentName=New\r\n"));
      EXPECT_TRUE(now.endsWith("[Form]\r\nLeft= 0\r\nTop= 0\r\n"));
    } else if (setup != LockedFolderNoFile && setup != FolderByThatName) {
      ::chmod(QFile::encodeName(MakeIniPath(folder)), 0644);
      EXPECT_EQ(readFile(MakeIniPath(folder)), old);
      // Not even rewritten with the same bytes, unless in place.
      ASSERT_EQ(::stat(QFile::encodeName(MakeIniPath(folder)), &st), 0);
      if (setup != LockedFolderFullDisk) {
        EXPECT_EQ(st.st_mtim.tv_sec, 1'000'000'000);
      }
    }
    const QStringList files = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    EXPECT_EQ(files, setup == LockedFolderNoFile || setup == FolderByThatName
                         ? QStringList{}
                         : QStringList{"qelmira.ini"});
  }
}

// A file shared by the players of a group (mode 0664, group games) stays
// theirs when another of them saves it: the owner cannot be kept, the group
// is, and the next player of the group can save it in turn.
TEST(SettingsFile, ASharedFileKeepsItsGroup) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to hand files to other users";
  constexpr gid_t kGames = 4242;
  QTemporaryDir tmp;
  setMode(tmp.path(), 0755);
  const QByteArray folder = QFile::encodeName(tmp.path() + "/game");
  ASSERT_EQ(::mkdir(folder, 0775), 0);
  ASSERT_EQ(::chmod(folder, 0775), 0);
  ASSERT_EQ(::chown(folder, 0, kGames), 0);
  const QString path = MakeIniPath(QFile::decodeName(folder));
  writeFile(path, "[IniCheck]\r\nDummy=1\r\n");
  const QByteArray p = QFile::encodeName(path);
  ASSERT_EQ(::chown(p, 65533, kGames), 0);
  ASSERT_EQ(::chmod(p, 0664), 0);
  for (uid_t player : {65534u, 65532u}) {
    SCOPED_TRACE(player);
    const int error = AsOrdinaryUser(
        [&] {
          SettingsData d;
          ClearRanking(d.ranking);
          d.recentName = QString::number(player);
          return static_cast<int>(SaveSettings(path, d, 0, 0).error);
        },
        player, kGames);
    EXPECT_EQ(error, static_cast<int>(SaveError::None));
    struct stat st {};
    ASSERT_EQ(::stat(p, &st), 0);
    EXPECT_EQ(std::tuple(st.st_uid, st.st_gid, st.st_mode & 07777),
              std::tuple(player, kGames, mode_t{0664}));
    EXPECT_TRUE(readFile(path).contains("RecentName=" + QByteArray::number(player)));
  }
}

// File systems without unnamed temporary files (NFS, CIFS, vfat) or without
// a folder sync: a new file gets the usual mode, 0666 less the umask, an
// existing one keeps its own, and nothing is left beside it.
TEST(SettingsFile, FileSystemsWithoutUnnamedFilesOrFolderSync) {
  const mode_t umask = ::umask(002);
  for (const FileSystemLacks lacks :
       {FileSystemLacks{true, false}, FileSystemLacks{false, true}, FileSystemLacks{true, true}}) {
    SCOPED_TRACE(::testing::Message() << lacks.unnamedFiles << lacks.folderSync);
    QTemporaryDir dir;
    const QString path = MakeIniPath(dir.path());
    writeFile(path + ".new" + QString::number(::getpid()) + "-0", "leftover");
    ASSERT_TRUE(replaceFile(path, "new", lacks));
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(path), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0664u);
    ASSERT_EQ(::chmod(QFile::encodeName(path), 0640), 0);
    ASSERT_TRUE(replaceFile(path, "again", lacks));
    ASSERT_EQ(::stat(QFile::encodeName(path), &st), 0);
    EXPECT_EQ(std::pair(st.st_mode & 07777, readFile(path)), std::pair(0640u, QByteArray("again")));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
  }
  ::umask(umask);
  // Only a folder that refuses a new file leads to a rewrite in place; after
  // a full disk or an I/O error it would likely stop half-way.
  const std::tuple<ReplaceStep, int, bool> rules[] = {
      {ReplaceStep::Create, EACCES, true},  {ReplaceStep::Create, EROFS, true},
      {ReplaceStep::Create, ENOSPC, false}, {ReplaceStep::Create, EDQUOT, false},
      {ReplaceStep::Write, ENOSPC, false},  {ReplaceStep::Write, EIO, false},
      {ReplaceStep::Name, EPERM, true},     {ReplaceStep::Rename, EBUSY, true},
      {ReplaceStep::Rename, EIO, false}};
  for (const auto& [step, err, inPlace] : rules)
    EXPECT_EQ(RewriteInPlaceAfter(step, err), inPlace) << static_cast<int>(step) << " " << err;
}

// Two settings that differ.
std::array<SettingsData, 2> TwoSettings() {
  std::array<SettingsData, 2> s;
  for (SettingsData& d : s) ClearRanking(d.ranking);
  s[1].ranking.e[0].Name = "Bee";
  s[1].recentName = "Bee";
  return s;
}

// The child side of the test below: saves the two settings in turn, for
// ever, and says on `readyFd` when the first save is done.
int SaveInALoop(const char* path, int readyFd) {
  const auto settings = TwoSettings();
  for (int i = 0;; ++i) {
    if (!SaveSettings(QFile::decodeName(path), settings[i % 2], 0, 0)) return 1;
    if (i == 0 && ::write(readyFd, "r", 1) != 1) return 1;
  }
}

// A save killed at any moment leaves the settings file whole: the old one or
// the new one, never a mix, a truncated file or none. Real processes, real
// kills: the test program runs itself again in a mode that saves in a loop.
TEST(SettingsFile, ASaveKilledAtAnyMomentLeavesTheOldOrTheNewFileWhole) {
  Fixture f;
  // A few megabytes that are not the program's own, so a save takes long
  // enough for kills to land in the middle of writing.
  QByteArray foreign = "[Plugins]\r\n";
  while (foreign.size() < 2'000'000)
    foreign += "key" + QByteArray::number(foreign.size()) + "=x\r\n";
  writeFile(f.path, foreign);
  const auto settings = TwoSettings();
  ASSERT_TRUE(SaveSettings(f.path, settings[1], 0, 0));
  QByteArray whole[2];
  for (int i = 0; i < 2; ++i) {
    ASSERT_TRUE(SaveSettings(f.path, settings[i], 0, 0));
    whole[i] = readFile(f.path);
  }
  ASSERT_NE(whole[0], whole[1]);

  std::mt19937 rng(99);
  const QByteArray self = QFile::encodeName(QCoreApplication::applicationFilePath());
  const QByteArray path = QFile::encodeName(f.path);
  for (int kill = 0; kill < 20; ++kill) {
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::close(ready[0]);
      const QByteArray fd = QByteArray::number(ready[1]);
      ::execl(self.constData(), self.constData(), "--save-loop", path.constData(), fd.constData(),
              static_cast<char*>(nullptr));
      ::_exit(127);
    }
    ::close(ready[1]);
    char c = 0;
    ASSERT_EQ(::read(ready[0], &c, 1), 1) << "the saving process did not start";
    ::close(ready[0]);
    ::usleep(std::uniform_int_distribution<useconds_t>(0, 60'000)(rng));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the saving process ended by itself";

    const QByteArray now = readFile(f.path);
    ASSERT_TRUE(now == whole[0] || now == whole[1])
        << "kill " << kill << ": " << now.size() << " bytes";
  }
}

}  // namespace

int SaveLoopMain(int argc, char** argv) {
  if (argc != 4 || std::string_view(argv[1]) != "--save-loop") return -1;
  return SaveInALoop(argv[2], std::atoi(argv[3]));
}

}  // namespace kv::test
