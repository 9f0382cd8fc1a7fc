// The window's texts in the language spoken, and the choice of that language
// in the options. Japanese is the design; the other languages come from the
// catalogues built into the program.
#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <QToolTip>

#include "app/form.h"
#include "app/help_window.h"
#include "app/language.h"
#include "platform/fonts.h"
#include "settings/language.h"

namespace kv {

namespace {

const char* const kContext = "Form";

// Texts that change with the game, set by the handlers of their moments; a
// language change finds them by the words of the language they were written
// in. A trailing number (the status row's) is kept as it stands.
const char* const kAnsCaptions[] = {QT_TRANSLATE_NOOP("Form", "解答！"),
                                    QT_TRANSLATE_NOOP("Form", "タイトルへ...")};
const char* const kMsgCaptions[] = {QT_TRANSLATE_NOOP("Form", "正解！")};
const char* const kMissPrefix[] = {QT_TRANSLATE_NOOP("Form", "1ﾐｽ減点  ")};
const char* const kScalePrefix[] = {QT_TRANSLATE_NOOP("Form", "1目盛り ")};
const char* const kStageTips[] = {QT_TRANSLATE_NOOP("Form", "裏面だ！！　イエー！！")};

template <std::size_t N>
QString carriedOver(const QString& text, const QString& from, const char* const (&sources)[N]) {
  for (const char* src : sources) {
    const QString old = TranslateIn(from, kContext, src);
    if (!old.isEmpty() && text.startsWith(old))
      return QCoreApplication::translate(kContext, src) + text.mid(old.size());
  }
  return text;
}

void setItems(std::vector<std::unique_ptr<MenuItem>>& items, std::initializer_list<QString> c) {
  std::size_t i = 0;
  for (const QString& caption : c) items[i++]->setCaption(caption);
}

}  // namespace

void Form::ApplyLanguage() {
  const QString code =
      PickLanguage(mod().opt.OptLanguage, plat.uiLanguages(), CatalogueLanguages());
  InstallLanguage(code);
  // Drop-down menus and tool tips would take the desktop's face, whose Latin
  // letters a Japanese desktop spaces as wide as its own: they take one that
  // suits the language.
  const QFont text = TextFontFor(code, QApplication::font());
  QApplication::setFont(text, "QMenu");
  for (QMenu* m : win->findChildren<QMenu*>()) m->setFont(text);
  QToolTip::setFont(text);
  retext(language);
  language = code;
  // At start-up the marker waits until the title is up.
  if (startUpFinished) loadAnswerMarker();
  // The help window too, now rather than when the toolkit's notice arrives.
  if (auto* help = win->findChild<HelpWindow*>()) help->speak();
  for (int i = 0; i < static_cast<int>(mnuLanguageChoice.size()); ++i)
    mnuLanguageChoice[i]->setChecked(i == mod().opt.OptLanguage);
}

void Form::mnuLanguageChoice_Click(int index) {
  mod().opt.OptLanguage = static_cast<int16_t>(LanguageChoiceFrom(index));
  ApplyLanguage();
}

void Form::loadAnswerMarker() {
  QImage marker(QStringLiteral(":/korvane/ansmark_%1.png").arg(language));
  if (marker.isNull()) marker = QImage(QStringLiteral(":/korvane/ansmark.png"));
  ansMarkImage = marker.convertToFormat(QImage::Format_RGB32);
  if (ansMarkImage.isNull()) return;
  // The 76 x 76 marker sits inside the box's 2-pixel frame.
  QImage framed(80, 80, QImage::Format_RGB32);
  framed.fill(QColor(96, 0, 128));
  QPainter p(&framed);
  p.drawImage(2, 2, ansMarkImage);
  p.end();
  PicAns->SetPicture(framed);
}

QString Form::AnswerPrompt(int tick) const {
  // Typed out one letter a tick, the rest of the line filled with the last
  // letter typed, then the whole line.
  const QString s = tr("解答してください！");
  if (tick >= 1 && tick < s.size()) return s.left(tick) + QString(s.size() - tick, s.at(tick - 1));
  return s;
}

void Form::retext(const QString& from) {
  LabelScore->setToolTipText(tr("マイナスになるとゲームオーバー"));
  Label1miss->setToolTipText(tr("このステージでＭＩＳＳした時の減点"));
  Label1scale->setToolTipText(tr("正解時に加減される１目盛り分の点数"));
  CmdPause->setCaption(tr("再開"));
  CmdPause->setToolTipText(tr("ポーズを解除します"));

  GameMenuTitle->setCaption(tr("ゲーム"));
  const QString pause = LabPause->Visible() ? tr("ポーズ解除") : tr("ポーズ");
  Pause->setCaption(pause);
  Restart->setCaption(tr("はじめから"));
  HighScore->setCaption(tr("ハイスコア表示"));
  mnuClearHighScore->setCaption(tr("ハイスコアのクリア"));
  PrgEnd->setCaption(tr("終了"));
  Stage_UrawazaTitle->setCaption(tr("ステージ"));
  OptionTitle->setCaption(tr("オプション"));
  KakudaiPrint->setCaption(tr("拡大表示"));
  setItems(kakudaionoff, {tr("する"), tr("しない")});
  LineWidthChange->setCaption(tr("線幅"));
  setItems(linewidth, {tr("１　（標準）"), tr("２　（太い）"), tr("３　（相当太い）")});
  CountDown->setCaption(tr("カウントダウン"));
  setItems(CountDownSpeed,
           {tr("１.00秒　（通常）"), tr("0.75秒　（はやい）"), tr("0.50秒　（相当はやい）")});
  soundeffect->setCaption(tr("効果音"));
  setItems(soundeffectonoff, {tr("オン"), tr("オフ")});
  // Each language is named in its own words, so a player can find theirs.
  mnuLanguage->setCaption(tr("言語 (Language)"));
  setItems(mnuLanguageChoice,
           {tr("自動 (Auto)"), QStringLiteral("日本語"), QStringLiteral("English")});
  HelpTitle->setCaption(tr("ヘルプ"));
  printhelp->setCaption(tr("ヘルプ表示"));
  mnuPopup->setCaption(tr("ポップアップ"));
  mnuPopupPause->setCaption(pause);
  mnuPopupPrintHelp->setCaption(tr("ヘルプ表示"));

  CmdAns->setCaption(carriedOver(CmdAns->Caption(), from, kAnsCaptions));
  Labelmsg->setCaption(carriedOver(Labelmsg->Caption(), from, kMsgCaptions));
  Label1miss->setCaption(carriedOver(Label1miss->Caption(), from, kMissPrefix));
  Label1scale->setCaption(carriedOver(Label1scale->Caption(), from, kScalePrefix));
  LabelSt->setToolTipText(carriedOver(LabelSt->ToolTipText(), from, kStageTips));
  // The answer prompt: its first words, or the line being typed (the
  // question in English of its last phase reads the same in every language).
  const QString first = TranslateIn(from, kContext, QT_TRANSLATE_NOOP("Form", "解答して下さい！"));
  for (auto& l : LabelAns) {
    if (l->Caption() == first)
      l->setCaption(tr("解答して下さい！"));
    else if (!l->Caption().isEmpty() && l->Caption() != QStringLiteral("Where???"))
      l->setCaption(AnswerPrompt(st.AnsPromptTick));
  }
}

}  // namespace kv
