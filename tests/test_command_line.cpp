// The command line: the informational options in the desktop's language, and
// anything else refused before the toolkit starts.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>

#include "app/command_line.h"

namespace kv::test {

TEST(CommandLine, KnowsOnlyVersionAndHelpAndRefusesTheRestWithStatusTwo) {
  const QStringList en = {"en-US"};
  const CommandLineAnswer help = AnswerCommandLine({"korvane", "--help"}, en);
  EXPECT_EQ(std::tuple(help.startGame, help.exitStatus, help.err), std::tuple(false, 0, QString()));
  EXPECT_TRUE(help.out.startsWith("Usage: korvane [--version | --help]\n"));
  EXPECT_TRUE(AnswerCommandLine({"korvane", "--help"}, {}).out.startsWith("使い方: korvane"));
  // The first informational option answers.
  const QString version = AnswerCommandLine({"korvane", "--version", "--help"}, en).out;
  EXPECT_TRUE(version.startsWith("korvane ") && version.count('\n') == 1) << version.toStdString();
  // Nothing to answer: the game starts.
  for (const QStringList& args : {QStringList{"korvane"}, QStringList{"korvane", "--"}})
    EXPECT_TRUE(AnswerCommandLine(args, en).startGame) << args.join(' ').toStdString();

  // (the arguments, the first line on standard error)
  const std::pair<QStringList, const char*> refused[] = {
      {{"--bogus"}, "korvane: unrecognized option '--bogus'"},
      {{"-v"}, "korvane: unrecognized option '-v'"},
      {{"-h"}, "korvane: unrecognized option '-h'"},
      {{"-help"}, "korvane: unrecognized option '-help'"},
      {{"--help=all"}, "korvane: unrecognized option '--help=all'"},
      // Refused even after an option that would have answered.
      {{"--version", "-x"}, "korvane: unrecognized option '-x'"},
      {{"save.ini"}, "korvane: unexpected argument 'save.ini'"},
      {{"-"}, "korvane: unexpected argument '-'"},
      {{""}, "korvane: unexpected argument ''"},
      {{"--", "--help"}, "korvane: unexpected argument '--help'"},
      {{"%1%2"}, "korvane: unexpected argument '%1%2'"},
  };
  for (const auto& [args, line] : refused) {
    const CommandLineAnswer a = AnswerCommandLine(QStringList{"korvane"} + args, en);
    EXPECT_EQ(
        std::tuple(a.startGame, a.exitStatus, a.out, a.err),
        std::tuple(false, 2, QString(), QString(line) + "\nUsage: korvane [--version | --help]\n"))
        << args.join(' ').toStdString();
  }
  EXPECT_EQ(AnswerCommandLine({"korvane", "-q"}, {}).err,
            "korvane: 不明なオプション '-q'\n使い方: korvane [--version | --help]\n");
}

// The program itself, without a display: a refusal comes before the toolkit
// would have failed for want of one.
TEST(CommandLine, TheProgramRefusesAnUnknownOptionWithoutADisplay) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  for (const char* v : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "LANGUAGE", "LC_ALL",
                        "LC_MESSAGES", "LANG"})
    env.remove(v);
  env.insert("LANG", "C.UTF-8");
  auto run = [&](const QStringList& args) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QCoreApplication::applicationDirPath() + "/korvane", args);
    EXPECT_TRUE(p.waitForFinished(30'000));
    return std::tuple(p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                      // Lines end in CR LF on Windows.
                      QString::fromUtf8(p.readAllStandardOutput()).remove(u'\r'),
                      QString::fromUtf8(p.readAllStandardError()).remove(u'\r'));
  };
  const auto [status, out, err] = run({"--bogus"});
  // One line naming the option, then the usage, in the desktop's language
  // (which Windows takes from its own settings, not from LANG).
  EXPECT_EQ(std::tuple(status, out, err.count('\n')), std::tuple(2, QString(), 2));
  EXPECT_TRUE(err.startsWith("korvane: ") && err.section('\n', 0, 0).endsWith(" '--bogus'"))
      << err.toStdString();
  EXPECT_EQ(std::get<0>(run({"--version"})), 0);
}

}  // namespace kv::test
