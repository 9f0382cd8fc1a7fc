#include "app/language.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>
#include <map>
#include <memory>

namespace kv {

namespace {

const QString kJapanese = QStringLiteral("ja");
const QString kCatalogueDir = QStringLiteral(":/i18n");

struct Installed {
  QString code = kJapanese;
  bool chosen = false;
  std::unique_ptr<QTranslator> own, toolkit;
};

Installed& installed() {
  static Installed i;
  return i;
}

std::unique_ptr<QTranslator> ownCatalogue(const QString& code) {
  auto t = std::make_unique<QTranslator>();
  if (!t->load(QStringLiteral("korvane_") + code, kCatalogueDir)) return nullptr;
  return t;
}

std::unique_ptr<QTranslator> toolkitCatalogue(const QString& code) {
  auto t = std::make_unique<QTranslator>();
  if (!t->load(QStringLiteral("qtbase_") + code,
               QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    return nullptr;
  return t;
}

}  // namespace

QStringList CatalogueLanguages() {
  // Matched by hand: a name filter would compile a regular expression, which
  // costs start-up more than listing the few built-in files.
  const QString prefix = QStringLiteral("korvane_"), suffix = QStringLiteral(".qm");
  QStringList codes;
  for (const QString& f : QDir(kCatalogueDir).entryList(QDir::Files, QDir::Name))
    if (f.size() > prefix.size() + suffix.size() && f.startsWith(prefix) && f.endsWith(suffix))
      codes << f.mid(prefix.size(), f.size() - prefix.size() - suffix.size());
  return codes;
}

void InstallLanguage(const QString& code) {
  Installed& i = installed();
  if (i.chosen && i.code == code) return;
  // The new catalogues go in before the old ones leave, so no widget ever
  // reads a mixture for long; each change sends one event per widget.
  auto own = code == kJapanese ? nullptr : ownCatalogue(code);
  auto toolkit = toolkitCatalogue(code);
  if (i.own) QCoreApplication::removeTranslator(i.own.get());
  if (i.toolkit) QCoreApplication::removeTranslator(i.toolkit.get());
  if (own) QCoreApplication::installTranslator(own.get());
  if (toolkit) QCoreApplication::installTranslator(toolkit.get());
  i.own = std::move(own);
  i.toolkit = std::move(toolkit);
  i.code = code;
  i.chosen = true;
}

QString InstalledLanguage() { return installed().code; }

QString TranslateIn(const QString& code, const char* context, const char* source) {
  static std::map<QString, std::unique_ptr<QTranslator>> cache;
  if (code != kJapanese) {
    auto it = cache.find(code);
    if (it == cache.end()) it = cache.emplace(code, ownCatalogue(code)).first;
    if (it->second) {
      const QString t = it->second->translate(context, source);
      if (!t.isEmpty()) return t;
    }
  }
  return QString::fromUtf8(source);
}

}  // namespace kv
