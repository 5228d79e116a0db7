#include "prompts.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace {
TPrompts *installed = nullptr;
}

TPrompts &TPrompts::Instance()
{
  static TQtPrompts qtPrompts;
  return installed ? *installed : qtPrompts;
}

void TPrompts::Install(TPrompts *prompts) { installed = prompts; }

bool TQtPrompts::AskYesNo(QWidget *parent, const QString &title, const QString &text)
{
  return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::No) == QMessageBox::Yes;
}

void TQtPrompts::Inform(QWidget *parent, const QString &title, const QString &text, const QString &detail)
{
  QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok, parent);
  if (!detail.isEmpty())
    box.setInformativeText(detail);
  box.exec();
}

QString TQtPrompts::AskText(QWidget *parent, const QString &title, const QString &label,
                            const QString &defaultText, bool *ok)
{
  bool accepted = false;
  const QString text = QInputDialog::getText(parent, title, label, QLineEdit::Normal, defaultText, &accepted);
  if (ok)
    *ok = accepted;
  return accepted ? text : defaultText;
}

QString TQtPrompts::ChooseOpenFile(QWidget *parent, const QString &title, const QString &dir,
                                   const QString &filter)
{
  return QFileDialog::getOpenFileName(parent, title, dir, filter);
}

QString TQtPrompts::ChooseSaveFile(QWidget *parent, const QString &title, const QString &dir,
                                   const QString &filter, const QString &defaultSuffix)
{
  QFileDialog dialog(parent, title, dir, filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(defaultSuffix);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
    return {};
  return dialog.selectedFiles().constFirst();
}

QString TQtPrompts::ChooseFolder(QWidget *parent, const QString &title, const QString &dir)
{
  return QFileDialog::getExistingDirectory(parent, title, dir, QFileDialog::ShowDirsOnly);
}

bool TQtPrompts::ChooseColor(QWidget *parent, std::uint32_t &color)
{
  const QColor initial(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
  const QColor chosen = QColorDialog::getColor(initial, parent);
  if (!chosen.isValid())
    return false;
  color = std::uint32_t(chosen.red()) | (std::uint32_t(chosen.green()) << 8) | (std::uint32_t(chosen.blue()) << 16);
  return true;
}
