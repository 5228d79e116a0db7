#pragma once
// TSettings: the settings dialog. It changes the link's port at once and the settings record
// when it closes; nothing is written to the file here.

#include <QDialog>
#include <QStringList>
#include <memory>

namespace Ui {
class TSettings;
}

class TCommunication;
class TMessages;
struct SSetting;

// Ports offered: the computer's serial ports, the ports of running virtual ECUs, and the
// configured one, each once.
QStringList PortChoices(const QStringList &serialPorts, const QStringList &virtualPorts, const QString &current);
// Installed catalogues: "en" first, then the languages of translations/zolt_<code>.qm.
QStringList InstalledLanguages(const QString &translationsDir);

class TSettings : public QDialog {
  Q_OBJECT
public:
  TSettings(QWidget *owner, TMessages *messages, SSetting *settings, TCommunication *link);
  ~TSettings() override;

  void PortsChange(int index);
  void AFRCorrectionChange(double value);
  void LangListChange(int index);

protected:
  void closeEvent(QCloseEvent *event) override;
  void done(int result) override;

private:
  void FormClose();

  std::unique_ptr<Ui::TSettings> Ui;
  TMessages *Messages;
  SSetting *Settings;
  TCommunication *Link;
  QStringList Languages;
  bool Closed = false;
};
