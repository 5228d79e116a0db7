#include "mainwindow.h"

#include "calibration.h"
#include "calibrationfiles.h"
#include "calibrationtransfer.h"
#include "loaduoz.h"
#include "paramstransfer.h"
#include "paramszolt.h"
#include "communication.h"
#include "debug.h"
#include "firmwareupload.h"
#include "messages.h"
#include "pluginman.h"
#include "prompts.h"
#include "readinfo.h"
#include "settingsdialog.h"
#include "ui_mainwindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QThread>
#include <cstring>

namespace {

const QColor MoneyGreen(192, 220, 192);

// Menu captions match ignoring accelerator marks and letter case.
QString MenuKey(QString caption) { return caption.remove(QLatin1Char('&')).toLower(); }

}   // namespace

TMain::TMain(const QString &programDir, const QStringList &arguments, QWidget *parent, TSerialLine *line)
    : QMainWindow(parent), Ui(std::make_unique<Ui::TMain>()), Dir(programDir),
      SettingsFile(QDir(programDir).filePath(QStringLiteral("Setting.ini")))
{
  Ui->setupUi(this);
  QFont bold = font();
  bold.setBold(true);
  setFont(bold);
  const SCommandLine commandLine = ParseCommandLine(arguments, programDir);
  Link = new TCommunication(this, commandLine.PacketLogPath, line);
  MessageList = new TMessages(this);
  InstallWindowWalk();
  CalibrationSet = std::make_unique<TAllCalibration>();

  const TSettingsFile::SLoaded loaded = SettingsFile.Load();
  Link->SetPortName(loaded.ComPort);
  Setting = loaded.Settings;

  Actions = new TActionList(this);
  PluginActions = new TActionList(this);
  for (QAction *action : findChildren<QAction *>()) {
    if (!action->objectName().startsWith(QLatin1String("A_")))
      continue;
    // Every action belongs to the window, so its shortcut works with or without a menu entry.
    addAction(action);
  }
  // The menu order is the order of the design's action list.
  for (const char *name : {"A_Connect", "A_Disconnect", "A_CloseApp", "A_ReadCalibrate", "A_WriteCalibrate",
                           "A_Settings", "A_WriteFirmware", "A_ReadParameters", "A_WriteParameters", "A_Paramerets",
                           "A_Version", "A_Debug", "A_LoadFile", "A_SaveFile", "A_Repozitory"})
    Actions->Add(Action(name));
  TActionList::SetInMenu(Action("A_Debug"), commandLine.DebugVisible);
  CreateActionRules();
  CreateStatusBar();

  connect(Action("A_Connect"), &QAction::triggered, this, &TMain::A_ConnectExecute);
  connect(Action("A_Disconnect"), &QAction::triggered, this, &TMain::A_DisconnectExecute);
  connect(Action("A_CloseApp"), &QAction::triggered, this, &TMain::close);
  connect(Action("A_Version"), &QAction::triggered, this, &TMain::A_VersionExecute);
  connect(Action("A_Settings"), &QAction::triggered, this, &TMain::A_SettingsExecute);
  connect(Action("A_Debug"), &QAction::triggered, this, &TMain::A_DebugExecute);
  connect(Action("A_WriteFirmware"), &QAction::triggered, this, &TMain::A_WriteFirmwareExecute);
  connect(Action("A_ReadCalibrate"), &QAction::triggered, this, &TMain::A_ReadCalibrateExecute);
  connect(Action("A_WriteCalibrate"), &QAction::triggered, this, &TMain::A_WriteCalibrateExecute);
  connect(Action("A_LoadFile"), &QAction::triggered, this, &TMain::A_LoadFileExecute);
  connect(Action("A_ReadParameters"), &QAction::triggered, this, &TMain::A_ReadParametersExecute);
  connect(Action("A_Paramerets"), &QAction::triggered, this, &TMain::A_ParameretsExecute);
  connect(Action("A_WriteParameters"), &QAction::triggered, this, &TMain::A_WriteParametersExecute);
  connect(Action("A_SaveFile"), &QAction::triggered, this, &TMain::A_SaveFileExecute);

  // The design's window is a small fixed strip; here the menu and the status bar take what this
  // toolkit needs, around an empty panel of the designed height.
  BuildMainMenu();
  Ui->Panel1->setMinimumHeight(24);
  const int height = menuBar()->sizeHint().height() + Ui->Panel1->minimumHeight() + statusBar()->sizeHint().height();
  setFixedSize(std::max(300, statusBar()->sizeHint().width()), height);
  QPoint topLeft;
  if (SettingsFile.LoadPosition(topLeft))
    move(topLeft);
  else if (const QScreen *screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());

  MessageList->Add(this);
  // The configured folder itself is kept as it is, even when plugins/ beside the program is used.
  PlugIns = new TPlugInMan(this, this, TPlugInMan::ResolveDirectory(Setting.PlugIns, Dir));
  BuildMainMenu();
  Actions->RunUpdates();
  PlugIns->LoadPlugIns();
}

TMain::~TMain()
{
  MessageList->Remove(this);
  if (Poller) {
    Poller->Terminate();
    Poller->wait();
  }
  // The manager's own tool windows point into this window's blocks and link.
  delete ParamsEditor;
  for (QWidget *w : QApplication::topLevelWidgets())
    if (qobject_cast<TSettings *>(w))
      delete w;
  // The plug-ins' windows and data modules go first, then their code; the objects they worked
  // on (link, list, calibrations) are freed after this body.
  PlugIns->Release();
  SettingsFile.SavePosition(pos());
  MessageList->Clear();
}

QAction *TMain::Action(const char *name) const { return findChild<QAction *>(QLatin1String(name)); }
QMenuBar *TMain::MainMenu() const { return Ui->MainMenu; }
QString TMain::VersionText() const { return QStringLiteral(ZOLT_VERSION); }
QString TMain::PanelText(int panel) const { return panel >= 1 && panel <= 4 ? Panels[panel]->text() : QString(); }

void TMain::InstallWindowWalk()
{
  TMessages::SetWindowEnumerator([](const char *rootClassName) {
    QList<QObject *> windows;
    const QWidgetList topLevels = QApplication::topLevelWidgets();
    for (QWidget *w : topLevels)
      if (qstrcmp(w->metaObject()->className(), rootClassName) == 0) {
        for (QWidget *child : w->findChildren<QWidget *>())
          windows << child;
        break;
      }
    for (QWidget *w : topLevels)
      windows << w;
    return windows;
  });
}

void TMain::CreateStatusBar()
{
  const int widths[5] = {80, 70, 65, 35, 50};
  Progress = new QProgressBar;
  Progress->setFixedSize(75, 15);
  Progress->setTextVisible(false);
  Progress->setRange(0, 100);
  Progress->setValue(0);
  SetGaugeConnected(false);
  auto *gaugeCell = new QWidget;
  gaugeCell->setFixedWidth(widths[0]);
  auto *gaugeLayout = new QHBoxLayout(gaugeCell);
  gaugeLayout->setContentsMargins(2, 0, 2, 0);
  gaugeLayout->addWidget(Progress);
  statusBar()->addWidget(gaugeCell);
  for (int k = 1; k < 5; ++k) {
    Panels[k] = new QLabel;
    Panels[k]->setObjectName(QStringLiteral("Panel%1").arg(k));
    // The designed widths, or what the identity needs in this toolkit's font: a version of up to
    // 12 characters, 8 hexadecimal digits, two flag letters.
    const char *const widest[5] = {"", "ZOLT 2.15a", "DDDDDDDD", "FI", ""};
    Panels[k]->setFixedWidth(std::max(widths[k], Panels[k]->fontMetrics().horizontalAdvance(QLatin1String(widest[k])) + 12));
    Panels[k]->setAlignment(k == 4 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
    Panels[k]->setFrameShape(QFrame::Panel);
    Panels[k]->setFrameShadow(QFrame::Sunken);
    statusBar()->addWidget(Panels[k]);
  }
  CancelButton = new QPushButton(tr("Cancel"));
  CancelButton->setObjectName(QStringLiteral("CancelTransfer"));
  CancelButton->setShortcut(QKeySequence(Qt::Key_Escape));
  CancelButton->setVisible(false);
  connect(CancelButton, &QPushButton::clicked, this, [this] { CancelRequested = true; });
  statusBar()->addPermanentWidget(CancelButton);
}

void TMain::SetGaugeConnected(bool connected)
{
  Progress->setStyleSheet(QStringLiteral("QProgressBar { background: %1; border: 1px solid gray; }"
                                         "QProgressBar::chunk { background: navy; }")
                              .arg((connected ? MoneyGreen : QColor(Qt::white)).name()));
}

void TMain::CreateActionRules()
{
  auto rule = [this](const char *name, std::function<bool()> enabled) {
    QAction *action = Action(name);
    Actions->AddUpdate([action, enabled] { action->setEnabled(enabled()); });
  };
  rule("A_Connect", [this] { return !Busy && !Link->IsPortOpen() && !Link->GetPortName().isEmpty(); });
  rule("A_Disconnect", [this] { return Link->IsPortOpen(); });
  rule("A_WriteFirmware", [this] { return !Busy && !Link->IsPortOpen() && !Link->GetPortName().isEmpty(); });
  auto identified = [this] { return !Busy && !Panels[1]->text().isEmpty(); };
  rule("A_ReadCalibrate", identified);
  for (const char *name : {"A_WriteCalibrate", "A_ReadParameters", "A_WriteParameters"})
    rule(name, [this] { return Action("A_ReadCalibrate")->isEnabled(); });
  for (const char *name : {"A_LoadFile", "A_SaveFile", "A_CloseApp"})
    rule(name, [this] { return !Busy; });
}

void TMain::BuildMainMenu()
{
  QMenuBar *menu = Ui->MainMenu;
  menu->clear();
  const QList<QAction *> &list = Actions->Actions();
  for (int k = 0; k < list.size(); ++k) {
    QAction *action = list[k];
    const QString category = TActionList::Category(action);
    if (category == QLatin1String("NonMenu"))
      continue;
    QMenu *entry = nullptr;
    for (QAction *top : menu->actions())
      if (top->menu() && MenuKey(top->text()) == MenuKey(category))
        entry = top->menu();
    if (!entry) {
      entry = menu->addMenu(category);
      entry->setObjectName(QStringLiteral("M%1").arg(k));
    }
    if (TActionList::InMenu(action))
      entry->addAction(action);
  }
  Q_EMIT MainMenuBuilt();
}

// ---------------------------------------------------------------- connection

void TMain::A_ConnectExecute()
{
  if (Busy)
    return;
  if (Link->IsPortOpen())
    A_DisconnectExecute();
  if (Link->OpenPort(Link->GetPortName(), TCommunication::DefaultBaudRate)) {
    Poller = new TReadInfo(MessageList, PollLock, PollStopped, Link);
    Poller->start();
    SetGaugeConnected(true);
  } else {
    TPrompts::Instance().Inform(this, tr("Zolt"), tr("Connection error."), Link->LastPortError());
  }
}

void TMain::A_DisconnectExecute()
{
  if (!Link->IsPortOpen())
    return;
  if (Poller) {
    Poller->Resume();
    Poller->Terminate();
  }
  for (;;) {
    {
      std::scoped_lock lock(PollLock);
      if (PollStopped)
        break;
    }
    QCoreApplication::processEvents();
    QThread::msleep(5);
  }
  Link->ClosePort();
  SetGaugeConnected(false);
  Progress->setValue(0);
}

bool TMain::IsPolling() const
{
  std::scoped_lock lock(const_cast<std::mutex &>(PollLock));
  return !PollStopped;
}

bool TMain::PausePolling()
{
  if (!Link->IsPortOpen() || !IsPolling() || !Poller)
    return true;
  Poller->Pause();
  // A poll in flight needs the UI thread to receive its answer or notice the silent line, so
  // the wait keeps dispatching; it gives up rather than hang.
  QDeadlineTimer deadline(PauseTimeoutMs);
  while (!Poller->IsPaused()) {
    if (deadline.hasExpired()) {
      Poller->Resume();
      TPrompts::Instance().Inform(this, tr("Zolt"), tr("Connection error."),
                                  tr("The polling of live data did not pause; nothing was sent."));
      return false;
    }
    QCoreApplication::processEvents();
    QThread::msleep(1);
  }
  return true;
}

void TMain::ResumePolling()
{
  if (!Link->IsPortOpen())
    return;
  if (!IsPolling() || !Poller)
    A_ConnectExecute();
  else
    Poller->Resume();
}

// ---------------------------------------------------------------- live record, other actions

void TMain::customEvent(QEvent *event)
{
  if (event->type() == WM_READINFO)
    WMReadInfo(*static_cast<TReadInfoEvent *>(event));
  else
    QMainWindow::customEvent(event);
}

void TMain::WMReadInfo(const TReadInfoEvent &event)
{
  const SInfo &info = event.Info;
  if (info.Valid == 0 || info.RecordNo != 0) {
    for (int k = 1; k <= 3; ++k)
      Panels[k]->clear();
    return;
  }
  Panels[1]->setText(event.Identity.Version.trimmed());
  Panels[2]->setText(event.Identity.Id.trimmed());
  SVersionFirmware flags;
  flags.Flags = info.EcuIdentity.Flags;
  Panels[3]->setText(flags.FlagLetters());
}

void TMain::A_VersionExecute() { TPrompts::Instance().Inform(this, tr("Zolt"), VersionText()); }

void TMain::A_SettingsExecute()
{
  for (QWidget *w : QApplication::topLevelWidgets())
    if (qobject_cast<TSettings *>(w)) {
      w->raise();
      w->activateWindow();
      return;
    }
  auto *dialog = new TSettings(this, MessageList, &Setting, Link);
  dialog->show();
}

void TMain::A_DebugExecute()
{
  for (QWidget *w : QApplication::topLevelWidgets())
    if (qobject_cast<TDebug *>(w) && w->isVisible()) {   // a closed one is on its way out
      w->raise();
      w->activateWindow();
      return;
    }
  (new TDebug(this))->show();
}

void TMain::A_WriteFirmwareExecute()
{
  if (Busy || Link->IsPortOpen() || Link->GetPortName().isEmpty())
    return;
  TPrompts &prompts = TPrompts::Instance();
  // A Yes means the technician wants the ECU's data kept: nothing may be cleared before it is.
  if (prompts.AskYesNo(this, tr("Attention!"),
                       tr("All calibration parameters Zolt will be cleared. Save data from a Zolt in the file?"))) {
    prompts.Inform(this, tr("Attention!"),
                   tr("Nothing was written. Connect, read the calibrations and the parameters from Zolt and save "
                      "them in a file, then write the firmware."));
    return;
  }
  const QString file = prompts.ChooseOpenFile(this, tr("Write Firmware"), Dir, tr("Firmware") + QStringLiteral(" (*.zbf)"));
  if (file.isEmpty())
    return;
  PausePolling();
  Progress->setValue(0);
  Busy = true;
  QString error;
  TCommunication::EUploadStart start;
  const int size = Link->StartFirmwareUpload(file, Link->GetPortName(), &error, &start);
  if (size <= 0) {
    Busy = false;
    Link->ClosePort();
    prompts.Inform(this, tr("Attention!"),
                   start == TCommunication::EUploadStart::BadImage ? tr("Failed to load firmware") : tr("Connection error."),
                   error);
    return;
  }
  SetGaugeConnected(true);
  Progress->setMaximum(size);
  const EFirmwareResult result = WatchFirmwareUpload(*Link, [this](int position) { Progress->setValue(position); });
  Busy = false;
  if (result == EFirmwareResult::Failed) {
    // The line is left at no bootloader speed: a failed upload always ends the connection.
    A_DisconnectExecute();
    Progress->setMaximum(100);
    Progress->setValue(0);
    prompts.Inform(this, tr("Attention!"), tr("Failed to load firmware"));
    return;
  }
  Progress->setMaximum(100);
  Progress->setValue(0);
  prompts.Inform(this, tr("Attention!"), tr("Firmware is loaded"));
  ResumePolling();
}

bool TMain::RunTransfer(int steps, const std::function<void(const std::function<void(int)> &,
                                                            const std::function<bool()> &)> &transfer)
{
  if (!PausePolling())
    return false;
  const int maximum = Progress->maximum();
  Progress->setMaximum(steps);
  Progress->setValue(0);
  Busy = true;
  CancelRequested = false;
  // The window is a fixed strip; the Cancel button takes the place of the empty panel.
  Panels[4]->setVisible(false);
  CancelButton->setVisible(true);
  transfer([this](int step) { Progress->setValue(step); }, [this] { return CancelRequested; });
  CancelButton->setVisible(false);
  Panels[4]->setVisible(true);
  Busy = false;
  Progress->setValue(0);
  Progress->setMaximum(maximum);
  ResumePolling();
  return true;
}

void TMain::A_ReadCalibrateExecute()
{
  TPrompts &prompts = TPrompts::Instance();
  if (Busy || !prompts.AskYesNo(this, tr("Attention."), tr("You are sure to load calibrations from Zolt?")))
    return;
  SCalibrationImage image;
  TCalibrationTransfer::EResult result = TCalibrationTransfer::EResult::NoAnswer;
  QString failedAt;
  const bool ran = RunTransfer(CalibrationTransfer::Steps, [&](const auto &progress, const auto &cancelled) {
    TCalibrationTransfer transfer(*Link, progress, cancelled);
    result = transfer.Read(image);
    failedAt = transfer.FailedAt();
  });
  if (!ran)
    return;
  // A read that ended early changes nothing: the model is only touched by a complete image.
  switch (result) {
  case TCalibrationTransfer::EResult::Done:
    CalibrationTransfer::Decode(image, *CalibrationSet);
    MessageList->BroadcastCalibrationChanged(TMessages::EDelivery::Post);
    break;
  case TCalibrationTransfer::EResult::Cancelled:
    prompts.Inform(this, tr("Attention."), tr("Reading the calibrations was cancelled. Nothing was changed."));
    break;
  case TCalibrationTransfer::EResult::NoAnswer:
    prompts.Inform(this, tr("Attention."), tr("The ECU stopped answering. Nothing was changed."),
                   tr("No answer for %1. Check the cable and the ECU's power, then read again.").arg(failedAt));
    break;
  }
}

void TMain::A_WriteCalibrateExecute()
{
  TPrompts &prompts = TPrompts::Instance();
  if (Busy || !prompts.AskYesNo(this, tr("Attention."), tr("You are sure to write calibrations to Zolt?")))
    return;
  const SCalibrationImage image = CalibrationTransfer::Encode(*CalibrationSet);
  if (!Link->IsLinkAlive()) {
    prompts.Inform(this, tr("Attention."), tr("The ECU does not answer. Nothing was written."));
    return;
  }
  TCalibrationTransfer::EResult result = TCalibrationTransfer::EResult::NoAnswer;
  QString failedAt, difference;
  bool verifying = false;
  const bool ran = RunTransfer(2 * CalibrationTransfer::Steps, [&](const auto &progress, const auto &cancelled) {
    TCalibrationTransfer transfer(*Link, progress, cancelled);
    result = transfer.Write(image);
    failedAt = transfer.FailedAt();
    if (result != TCalibrationTransfer::EResult::Done)
      return;
    // An acknowledged write is not yet a stored one: read everything back and compare.
    verifying = true;
    SCalibrationImage readBack;
    TCalibrationTransfer check(*Link, [&](int step) { progress(CalibrationTransfer::Steps + step); }, cancelled);
    result = check.Read(readBack);
    failedAt = check.FailedAt();
    if (result == TCalibrationTransfer::EResult::Done)
      difference = CalibrationTransfer::FirstDifference(image, readBack);
  });
  if (!ran)
    return;
  if (result == TCalibrationTransfer::EResult::Cancelled) {
    prompts.Inform(this, tr("Attention."),
                   verifying ? tr("The check of the written calibrations was cancelled; they were written but not checked.")
                             : tr("Writing the calibrations was cancelled. The ECU may hold a partial write: write "
                                  "the calibrations again."));
  } else if (result == TCalibrationTransfer::EResult::NoAnswer) {
    prompts.Inform(this, tr("Attention."),
                   verifying ? tr("The ECU stopped answering while the written calibrations were checked.")
                             : tr("The ECU stopped answering. The ECU may hold a partial write: write the "
                                  "calibrations again."),
                   tr("No answer for %1.").arg(failedAt));
  } else if (!difference.isEmpty()) {
    prompts.Inform(this, tr("Attention."),
                   tr("The ECU holds other values than were written. Write the calibrations again."),
                   tr("First difference: %1.").arg(difference));
  }
}

void TMain::A_SaveFileExecute()
{
  if (Busy)
    return;
  TPrompts &prompts = TPrompts::Instance();
  const QString file = prompts.ChooseSaveFile(this, tr("Save file calibration"), LoadFolder.isEmpty() ? Dir : LoadFolder,
                                              tr("Commercial version Zolt 2.x ") + QStringLiteral("(*.zf2)"),
                                              QStringLiteral("zf2"));
  if (file.isEmpty())
    return;
  StoreOpenParameterEditor();
  QString error;
  // A failed save leaves the old file as it was: the new one replaces it only when complete.
  if (!SaveZf2File(file, *CalibrationSet, ParametersData(), ExtraParametersData(), error))
    prompts.Inform(this, tr("Save file calibration"), tr("The calibration file was not saved."), error);
}

void TMain::A_LoadFileExecute()
{
  if (Busy)
    return;
  TPrompts &prompts = TPrompts::Instance();
  const QString filter = tr("Free version Zolt") + QStringLiteral("(*.z5u);;KVTD-RL (*.kvd);;") +
                         tr("Commercial version Zolt 1.x ") + QStringLiteral("(*.zfd);;") +
                         tr("Commercial version Zolt 2.x ") + QStringLiteral("(*.zf2)");
  const QString file = prompts.ChooseOpenFile(this, tr("Load file calibration"), LoadFolder.isEmpty() ? Dir : LoadFolder,
                                              filter);
  if (file.isEmpty())
    return;
  if (CalibrationFileType(file) == ECalibrationFileType::Zf2) {
    QByteArray bytes;
    QString error;
    if (!ReadFileBytes(file, bytes, error)) {
      prompts.Inform(this, tr("Load file calibration"), error);
      return;
    }
    const SLoadResult check = CheckZf2(bytes);
    if (!check.IsOk()) {
      prompts.Inform(this, tr("Load file calibration"), check.Message);
      return;
    }
  }
  LoadFolder = QFileInfo(file).absolutePath();
  TLoadUOZ dialog(this, MessageList, ExtraParametersData(), ParametersData(), CalibrationSet.get(), file);
  dialog.exec();
  if (dialog.LoadedParameters())
    ShowOpenParameterEditor();
}

void TMain::A_ReadParametersExecute()
{
  TPrompts &prompts = TPrompts::Instance();
  if (Busy || !prompts.AskYesNo(this, tr("Attention."), tr("You are sure to read parameters from Zolt?")))
    return;
  if (!PausePolling())
    return;
  Busy = true;
  const EParamsTransfer result = ReadParamBlocks(*Link, ParameterBlock, ExtraParameterBlock);
  Busy = false;
  if (result == EParamsTransfer::Done) {
    ShowOpenParameterEditor();
    prompts.Inform(this, tr("Attention."), tr("Parameters read successfully"));
  } else {
    prompts.Inform(this, tr("Attention."),
                   tr("The parameters were not read: the ECU did not answer for the %1 block.")
                       .arg(result == EParamsTransfer::ExtraFailed ? tr("extra") : tr("main")),
                   tr("The parameters in the program are as they were; nothing was changed on the ECU."));
  }
  ResumePolling();
}

void TMain::A_WriteParametersExecute()
{
  TPrompts &prompts = TPrompts::Instance();
  if (Busy || !prompts.AskYesNo(this, tr("Attention."), tr("You are sure to write parameters to Zolt?")))
    return;
  StoreOpenParameterEditor();
  if (!PausePolling())
    return;
  Busy = true;
  const EParamsTransfer result = WriteParamBlocks(*Link, ParameterBlock, ExtraParameterBlock);
  Busy = false;
  switch (result) {
  case EParamsTransfer::Done:
    prompts.Inform(this, tr("Attention."), tr("Parameters write successfully"));
    break;
  case EParamsTransfer::MainFailed:
  case EParamsTransfer::ExtraFailed:
    prompts.Inform(this, tr("Attention."),
                   tr("The parameters were not written: the ECU did not answer for the %1 block.")
                       .arg(result == EParamsTransfer::ExtraFailed ? tr("extra") : tr("main")),
                   tr("The ECU may hold a partial write: write the parameters again."));
    break;
  case EParamsTransfer::Differs:
    prompts.Inform(this, tr("Attention."),
                   tr("The ECU holds other parameters than were written. Write the parameters again."));
    break;
  case EParamsTransfer::NotReadBack:
    prompts.Inform(this, tr("Attention."), tr("The parameters were written but could not be read back to check them."));
    break;
  }
  ResumePolling();
}

void TMain::A_ParameretsExecute()
{
  if (ParamsEditor) {
    ParamsEditor->show();
    ParamsEditor->raise();
    ParamsEditor->activateWindow();
    return;
  }
  ParamsEditor = new TParamsZolt(&ParameterBlock, &ExtraParameterBlock);
  ParamsEditor->show();
}

void TMain::StoreOpenParameterEditor()
{
  if (ParamsEditor)
    ParamsEditor->StoreParams();
}

void TMain::ShowOpenParameterEditor()
{
  if (ParamsEditor)
    ParamsEditor->ShowParams();
}

void TMain::A_CloseAppExecute()
{
  A_DisconnectExecute();
  QCoreApplication::processEvents();
  if (!SettingsFile.SaveKeys(Link->GetPortName(), Setting))
    TPrompts::Instance().Inform(this, tr("Zolt"), tr("The settings were not saved."),
                                tr("%1 could not be written.").arg(QDir::toNativeSeparators(SettingsFile.FilePath())));
}

void TMain::closeEvent(QCloseEvent *event)
{
  if (Closing) {
    event->accept();
    return;
  }
  // Closing during a transfer would cut the ECU off in the middle of a write.
  if (Busy || !TPrompts::Instance().AskYesNo(this, tr("Attention!"), tr("Close program?"))) {
    event->ignore();
    return;
  }
  A_CloseAppExecute();
  Closing = true;
  event->accept();
}

void TMain::changeEvent(QEvent *event)
{
  if (event->type() == QEvent::LanguageChange) {
    Ui->retranslateUi(this);
    BuildMainMenu();
  }
  QMainWindow::changeEvent(event);
}
