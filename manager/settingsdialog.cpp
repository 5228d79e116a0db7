#include "settingsdialog.h"

#include "appsettings.h"
#include "communication.h"
#include "mainwindow.h"
#include "prompts.h"
#include "translator.h"
#include "ui_settingsdialog.h"
#include "virtualports.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QLocale>

QStringList PortChoices(const QStringList &serialPorts, const QStringList &virtualPorts, const QString &current)
{
  QStringList choices;
  for (const QStringList *list : {&serialPorts, &virtualPorts})
    for (const QString &p : *list)
      if (!choices.contains(p))
        choices << p;
  if (!current.isEmpty() && !choices.contains(current))
    choices << current;
  return choices;
}

QStringList InstalledLanguages(const QString &translationsDir)
{
  QStringList codes{QStringLiteral("en")};
  const QDir dir(translationsDir);
  for (const QString &file : dir.entryList({QStringLiteral("zolt_*.qm")}, QDir::Files, QDir::Name)) {
    const QString code = file.mid(5, file.size() - 8);
    if (!code.startsWith(QLatin1String("en")) && !codes.contains(code))
      codes << code;
  }
  return codes;
}

TSettings::TSettings(QWidget *owner, TMessages *messages, SSetting *settings, TCommunication *link)
    : QDialog(nullptr), Ui(std::make_unique<Ui::TSettings>()), Messages(messages), Settings(settings), Link(link)
{
  Q_UNUSED(owner);
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint);
  Ui->setupUi(this);
  Ui->PluginDirectory->setText(Settings->PlugIns);
  connect(Ui->PluginDirectoryBrowse, &QToolButton::clicked, this, [this] {
    const QString dir = TPrompts::Instance().ChooseFolder(this, tr("Directory for extension"),
                                                          Ui->PluginDirectory->text());
    if (!dir.isEmpty())
      Ui->PluginDirectory->setText(QDir::toNativeSeparators(dir));
  });

  const QStringList ports = PortChoices(TCommunication::EnumPorts(), VirtualEcuPorts(), Link->GetPortName());
  Ui->Ports->addItems(ports);
  Ui->Ports->setCurrentIndex(int(ports.indexOf(Link->GetPortName())));
  Ui->Ports->setEnabled(!Link->IsPortOpen());
  connect(Ui->Ports, &QComboBox::currentIndexChanged, this, &TSettings::PortsChange);

  Languages = InstalledLanguages(TTranslator::TranslationsDir());
  for (const QString &code : Languages) {
    const QLocale locale(code);
    // The source language by its plain name, not one country's variant of it.
    const QString name = code == QLatin1String("en") ? QLocale::languageToString(QLocale::English)
                                                     : locale.nativeLanguageName();
    Ui->LangList->addItem(name.isEmpty() ? code : name);
  }
  Ui->LangList->setCurrentIndex(0);
  // Offered only when there is a language to switch to.
  Ui->LangList->setEnabled(Languages.size() > 1);
  connect(Ui->LangList, &QComboBox::currentIndexChanged, this, &TSettings::LangListChange);

  Ui->AutoConnect->setChecked(Settings->AutoConnect);
  Ui->FWrite->setChecked(Settings->FastWrite);
  Ui->AFRCorrection->setValue(Settings->AFRCorr);
  connect(Ui->AFRCorrection, &QDoubleSpinBox::valueChanged, this, &TSettings::AFRCorrectionChange);
  setFixedSize(sizeHint());
}

TSettings::~TSettings() = default;

void TSettings::PortsChange(int index)
{
  if (index >= 0)
    Link->SetPortName(Ui->Ports->itemText(index));
}

void TSettings::AFRCorrectionChange(double value) { Link->SetAFRCorrection(value); }

void TSettings::LangListChange(int index)
{
  if (index < 0 || index >= Languages.size())
    return;
  // Every window retranslates on the language change event; the main window rebuilds its menu.
  TTranslator::SwitchTo(Languages[index]);
  Ui->retranslateUi(this);
  const QSignalBlocker block(Ui->LangList);
  Ui->LangList->setCurrentIndex(index);
}

void TSettings::FormClose()
{
  if (Closed)
    return;
  Closed = true;
  Settings->AutoConnect = Ui->AutoConnect->isChecked();
  Settings->PlugIns = Ui->PluginDirectory->text();
  Settings->FastWrite = Ui->FWrite->isChecked();
  Settings->AFRCorr = Ui->AFRCorrection->value();
}

void TSettings::closeEvent(QCloseEvent *event)
{
  FormClose();
  QDialog::closeEvent(event);
}

void TSettings::done(int result)
{
  FormClose();
  QDialog::done(result);
}
