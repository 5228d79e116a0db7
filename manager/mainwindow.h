#pragma once
// TMain: the manager's only permanent window. All the manager's functions are its actions; the
// menu is built from them by category. It owns the link, the notification list, the settings,
// and runs Connect/Disconnect and the pause around every transfer.

#include "actionlist.h"
#include "appsettings.h"
#include "liverecord.h"
#include "params.h"

#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QProgressBar>
#include <array>
#include <cstdint>
#include <QPushButton>
#include <functional>
#include <memory>
#include <mutex>

namespace Ui {
class TMain;
}

class TAllCalibration;
class TCommunication;
class TSerialLine;
class TMessages;
class TPlugInMan;
class TReadInfo;
class TReadInfoEvent;
class TParamsZolt;

class TMain : public QMainWindow {
  Q_OBJECT
public:
  static constexpr int PauseTimeoutMs = 2000;

  // programDir holds Setting.ini, Log.zlp and the plug-in folder; arguments are the switches.
  // line: the serial line for the link (tests pass a scripted one); nullptr for a real port.
  TMain(const QString &programDir, const QStringList &arguments, QWidget *parent = nullptr,
        TSerialLine *line = nullptr);
  ~TMain() override;

  TCommunication *Communication() const { return Link; }
  TMessages *Messages() const { return MessageList; }
  TAllCalibration *Calibrations() const { return CalibrationSet.get(); }
  TPlugInMan *PlugInMan() const { return PlugIns; }
  // The two parameter blocks, byte for byte as the ECU and the files hold them.
  SParams &Parameters() { return ParameterBlock; }
  SParamsExt &ExtraParameters() { return ExtraParameterBlock; }
  std::uint8_t *ParametersData() { return reinterpret_cast<std::uint8_t *>(&ParameterBlock); }
  std::uint8_t *ExtraParametersData() { return reinterpret_cast<std::uint8_t *>(&ExtraParameterBlock); }
  SSetting &Settings() { return Setting; }
  const QString &ProgramDir() const { return Dir; }
  QString VersionText() const;
  TActionList &ActionList() { return *Actions; }
  TActionList &ActionListDLL() { return *PluginActions; }
  QMenuBar *MainMenu() const;
  QProgressBar *ProgressU() const { return Progress; }
  QString PanelText(int panel) const;

  // The bracket around every transfer. PausePolling returns false (and has told the user) when
  // the polling thread did not pause in time; the transfer must not start then.
  bool PausePolling();
  void ResumePolling();
  bool IsPolling() const;

  // While a transfer runs, the other transfers, file load/save, firmware upload, Connect and
  // closing the program are disabled.
  void SetBusy(bool busy) { Busy = busy; }
  bool IsBusy() const { return Busy; }

  void BuildMainMenu();
  QAction *Action(const char *name) const;

  // Action handlers.
  void A_ConnectExecute();
  void A_DisconnectExecute();
  void A_CloseAppExecute();
  void A_VersionExecute();
  void A_SettingsExecute();
  void A_DebugExecute();
  void A_WriteFirmwareExecute();
  void A_ReadCalibrateExecute();
  void A_WriteCalibrateExecute();
  void A_LoadFileExecute();
  void A_ReadParametersExecute();
  void A_ParameretsExecute();
  void A_WriteParametersExecute();
  void A_SaveFileExecute();

Q_SIGNALS:
  // After BuildMainMenu, so that merged plug-in entries can come back.
  void MainMenuBuilt();

protected:
  void customEvent(QEvent *event) override;
  void closeEvent(QCloseEvent *event) override;
  void changeEvent(QEvent *event) override;

private:
  void CreateStatusBar();
  void CreateActionRules();
  void WMReadInfo(const TReadInfoEvent &event);
  void SetGaugeConnected(bool connected);
  // The parameter editor, when open, is brought in line with the blocks before a save or a
  // write (its values go out) and after a load or a read (it shows what came in).
  void StoreOpenParameterEditor();
  void ShowOpenParameterEditor();
  // Runs a transfer with the gauge, the busy state and a Cancel button; polling is paused
  // before and resumed after, whatever happens. Returns false when polling did not pause.
  bool RunTransfer(int steps, const std::function<void(const std::function<void(int)> &progress,
                                                       const std::function<bool()> &cancelled)> &transfer);
  static void InstallWindowWalk();

  std::unique_ptr<Ui::TMain> Ui;
  QString Dir;
  TSettingsFile SettingsFile;
  TCommunication *Link = nullptr;
  TMessages *MessageList = nullptr;
  std::unique_ptr<TAllCalibration> CalibrationSet;
  SParams ParameterBlock{};
  SParamsExt ExtraParameterBlock{};
  QPointer<TParamsZolt> ParamsEditor;
  QString LoadFolder;
  std::mutex PollLock;
  bool PollStopped = true;
  QPointer<TReadInfo> Poller;
  SSetting Setting;
  TActionList *Actions = nullptr;
  TActionList *PluginActions = nullptr;
  TPlugInMan *PlugIns = nullptr;
  QProgressBar *Progress = nullptr;
  QLabel *Panels[5] = {};
  QPushButton *CancelButton = nullptr;
  bool CancelRequested = false;
  bool Busy = false;
  bool Closing = false;
};
