#pragma once
// Answers the program's questions from a script and records what was asked and told.

#include "prompts.h"

#include <QList>
#include <QStringList>

class TScriptedPrompts : public TPrompts {
public:
  TScriptedPrompts() { TPrompts::Install(this); }
  ~TScriptedPrompts() override { TPrompts::Install(nullptr); }

  // Answers, taken front first; when a list runs dry the fallback is used.
  QList<bool> YesNoAnswers;
  bool YesNoFallback = false;
  QStringList TextAnswers;       // an empty string entry means "cancelled"
  QStringList FileAnswers;       // for open, save and folder choosers alike; "" = cancelled
  QList<std::uint32_t> ColorAnswers;

  // What the program showed, in order: questions and informs ("title|text").
  QStringList Questions;
  QStringList Messages;
  QStringList Details;

  bool AskYesNo(QWidget *, const QString &title, const QString &text) override
  {
    Questions << title + QLatin1Char('|') + text;
    return YesNoAnswers.isEmpty() ? YesNoFallback : YesNoAnswers.takeFirst();
  }
  void Inform(QWidget *, const QString &title, const QString &text, const QString &detail) override
  {
    Messages << title + QLatin1Char('|') + text;
    Details << detail;
  }
  QString AskText(QWidget *, const QString &, const QString &, const QString &defaultText, bool *ok) override
  {
    const QString answer = TextAnswers.isEmpty() ? QString() : TextAnswers.takeFirst();
    if (ok)
      *ok = !answer.isEmpty();
    return answer.isEmpty() ? defaultText : answer;
  }
  QString ChooseOpenFile(QWidget *, const QString &, const QString &, const QString &) override { return NextFile(); }
  QString ChooseSaveFile(QWidget *, const QString &, const QString &, const QString &, const QString &) override
  {
    return NextFile();
  }
  QString ChooseFolder(QWidget *, const QString &, const QString &) override { return NextFile(); }
  bool ChooseColor(QWidget *, std::uint32_t &color) override
  {
    if (ColorAnswers.isEmpty())
      return false;
    color = ColorAnswers.takeFirst();
    return true;
  }

  // The text of the last message shown, without its title.
  QString LastMessage() const
  {
    return Messages.isEmpty() ? QString() : Messages.constLast().section(QLatin1Char('|'), 1);
  }

private:
  QString NextFile() { return FileAnswers.isEmpty() ? QString() : FileAnswers.takeFirst(); }
};
