// Saves as the POSIX file system meets them: permissions, owners and
// groups, links, full disks and a save killed at any moment.
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

#include "settings/file_replace.h"
#include "tests/settings_fixture.h"

namespace kv::test {
namespace {

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
