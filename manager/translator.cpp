#include "translator.h"

#include <QCoreApplication>
#include <QDir>
#include <QTranslator>

namespace {
QTranslator *active = nullptr;
QString current = QStringLiteral("en");
}

QString TTranslator::TranslationsDir()
{
  return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("translations"));
}

bool TTranslator::SwitchTo(const QString &code)
{
  auto *next = new QTranslator(QCoreApplication::instance());
  const bool loaded = next->load(QStringLiteral("zolt_") + code, TranslationsDir());
  if (active) {
    QCoreApplication::removeTranslator(active);
    delete active;
    active = nullptr;
  }
  if (loaded) {
    QCoreApplication::installTranslator(next);
    active = next;
  } else {
    delete next;
    // English is the source language: without a catalogue the texts stay as written, and
    // removing the old catalogue already sent the change event.
  }
  current = code;
  return loaded || code.startsWith(QLatin1String("en"));
}

QString TTranslator::Current() { return current; }
