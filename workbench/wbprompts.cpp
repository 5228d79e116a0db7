#include "wbprompts.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace {

class TBoxes : public TPrompts {
public:
  bool AskYesNo(QWidget *parent, const QString &title, const QString &text) override
  {
    return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
           QMessageBox::Yes;
  }
  void Inform(QWidget *parent, const QString &title, const QString &text, const QString &detail) override
  {
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok, parent);
    if (!detail.isEmpty())
      box.setInformativeText(detail);
    box.exec();
  }
  QString AskText(QWidget *parent, const QString &title, const QString &label, const QString &defaultText,
                  bool *ok) override
  {
    bool accepted = false;
    const QString text = QInputDialog::getText(parent, title, label, QLineEdit::Normal, defaultText, &accepted);
    if (ok)
      *ok = accepted;
    return accepted ? text : defaultText;
  }
  QString ChooseOpenFile(QWidget *parent, const QString &title, const QString &dir, const QString &filter) override
  {
    return QFileDialog::getOpenFileName(parent, title, dir, filter);
  }
  QString ChooseSaveFile(QWidget *parent, const QString &title, const QString &dir, const QString &filter,
                         const QString &defaultSuffix) override
  {
    QFileDialog dialog(parent, title, dir, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
      return {};
    return dialog.selectedFiles().constFirst();
  }
  QString ChooseFolder(QWidget *parent, const QString &title, const QString &dir) override
  {
    return QFileDialog::getExistingDirectory(parent, title, dir, QFileDialog::ShowDirsOnly);
  }
  bool ChooseColor(QWidget *parent, std::uint32_t &color) override
  {
    const QColor initial(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
    const QColor chosen = QColorDialog::getColor(initial, parent);
    if (!chosen.isValid())
      return false;
    color = std::uint32_t(chosen.red()) | std::uint32_t(chosen.green()) << 8 | std::uint32_t(chosen.blue()) << 16;
    return true;
  }
};

TPrompts *installed = nullptr;

}   // namespace

namespace WorkbenchPrompts {

TPrompts &Instance()
{
  static TBoxes boxes;
  return installed ? *installed : boxes;
}

void Install(TPrompts *prompts) { installed = prompts; }

}   // namespace WorkbenchPrompts
