// Start-up and shut-down cost of pathological settings files: for each kind
// of file, the time to load the settings from it and the time of the save at
// the end (read, update, write atomically), on the real file system.
//
//   bench_settings_file [megabytes]        (default 40 MB per file)
#include <QByteArray>
#include <QCoreApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "bench/bench_support.h"
#include "platform/cp932.h"
#include "settings/profile_file.h"
#include "settings/settings_file.h"

namespace {

using kv::bench::monotonicNs;

const QByteArray kOwnFile =
    "[Option]\r\nKakudai= 1\r\nLineWidth= 2\r\n[Ranking]\r\nName0=Ann\r\nScore0= 900\r\n"
    "Rank0=8\r\n[IniCheck]\r\nDummy=1\r\n";

// Numbered "key=value" lines until `size` bytes.
QByteArray keyLines(qsizetype size, const char* prefix) {
  QByteArray out;
  out.reserve(size + 64);
  for (int i = 0; out.size() < size; ++i) out += prefix + QByteArray::number(i) + "=some value\r\n";
  return out;
}

struct Kind {
  const char* what;
  QByteArray file;
};

std::vector<Kind> kinds(qsizetype size) {
  std::mt19937 rng(1);
  QByteArray junk(size, Qt::Uninitialized);
  for (char& c : junk) c = static_cast<char>(rng());
  QByteArray sections;
  for (int i = 0; sections.size() < size; ++i) sections += "[S" + QByteArray::number(i) + "]\n";
  const QByteArray kanji = kv::toCp932(QStringLiteral("名前"));
  QByteArray sjisKeys;
  for (int i = 0; sjisKeys.size() < size; ++i)
    sjisKeys += kanji + QByteArray::number(i) + "=" + kanji + "\n";
  return {
      {"lines in a section of someone else's", kOwnFile + "[Plugins]\r\n" + keyLines(size, "k")},
      {"lines in the ranking section", "[Ranking]\r\n" + keyLines(size, "Junk") + kOwnFile},
      {"Shift-JIS keys in the option section", "[Option]\n" + sjisKeys + kOwnFile},
      {"section headers, no line breaks", kOwnFile + QByteArray(sections).replace('\n', ' ')},
      {"section headers", kOwnFile + sections},
      {"one endless line", kOwnFile + QByteArray(size, 'x')},
      {"line feeds only", kOwnFile + QByteArray(size, '\n')},
      {"binary junk", kOwnFile + junk},
  };
}

double msSince(int64_t t0) { return static_cast<double>(monotonicNs() - t0) / 1e6; }

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const qsizetype mb = argc > 1 ? std::atoi(argv[1]) : 40;
  QTemporaryDir dir;
  if (!dir.isValid()) return 1;
  const QString path = kv::MakeIniPath(dir.path());
  std::printf("%-40s %8s %8s %9s %9s\n", "settings file", "MB", "lines", "load ms", "save ms");
  for (const Kind& k : kinds(mb * 1024 * 1024)) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(k.file) != k.file.size()) return 1;
    f.close();

    kv::SettingsData d;
    kv::ClearRanking(d.ranking);
    kv::WindowPlacement win{0, 0, 9000, 6000, 19200, 14400};
    int64_t t0 = monotonicNs();
    kv::LoadSettings(path, d, win);
    const double load = msSince(t0);
    d.ranking.e[3].Name = QStringLiteral("New");
    t0 = monotonicNs();
    const bool saved = static_cast<bool>(kv::SaveSettings(path, d, win.left, win.top));
    const double save = msSince(t0);
    std::printf("%-40s %8.1f %8lld %9.0f %9.0f%s\n", k.what, k.file.size() / 1048576.0,
                static_cast<long long>(k.file.count('\n')), load, save,
                saved ? "" : "  (save failed)");
  }
  return 0;
}
