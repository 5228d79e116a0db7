#pragma once
// Every modal question and message of the program goes through this interface, so that tests
// answer them from a script and never block on a box.

#include <QString>
#include <QStringList>

#include <cstdint>

class QWidget;

class TPrompts {
public:
  virtual ~TPrompts() = default;

  // Yes/No question; true for Yes.
  virtual bool AskYesNo(QWidget *parent, const QString &title, const QString &text) = 0;
  // A message with an OK button; detail is shown as the box's detail text when not empty.
  virtual void Inform(QWidget *parent, const QString &title, const QString &text,
                      const QString &detail = {}) = 0;
  // A line of text; returns the default when cancelled (callers that must tell a cancel apart use ok).
  virtual QString AskText(QWidget *parent, const QString &title, const QString &label,
                          const QString &defaultText, bool *ok = nullptr) = 0;
  // File and folder choosers; an empty result means cancelled.
  virtual QString ChooseOpenFile(QWidget *parent, const QString &title, const QString &dir,
                                 const QString &filter) = 0;
  virtual QString ChooseSaveFile(QWidget *parent, const QString &title, const QString &dir,
                                 const QString &filter, const QString &defaultSuffix) = 0;
  virtual QString ChooseFolder(QWidget *parent, const QString &title, const QString &dir) = 0;
  // A colour as 0x00BBGGRR; returns false when cancelled.
  virtual bool ChooseColor(QWidget *parent, std::uint32_t &color) = 0;

  // The process-wide instance: the Qt implementation unless a test installed a scripted one.
  static TPrompts &Instance();
  static void Install(TPrompts *prompts);   // nullptr restores the Qt implementation
};

// The real boxes and dialogs.
class TQtPrompts : public TPrompts {
public:
  bool AskYesNo(QWidget *parent, const QString &title, const QString &text) override;
  void Inform(QWidget *parent, const QString &title, const QString &text, const QString &detail) override;
  QString AskText(QWidget *parent, const QString &title, const QString &label,
                  const QString &defaultText, bool *ok) override;
  QString ChooseOpenFile(QWidget *parent, const QString &title, const QString &dir,
                         const QString &filter) override;
  QString ChooseSaveFile(QWidget *parent, const QString &title, const QString &dir,
                         const QString &filter, const QString &defaultSuffix) override;
  QString ChooseFolder(QWidget *parent, const QString &title, const QString &dir) override;
  bool ChooseColor(QWidget *parent, std::uint32_t &color) override;
};
