#include "debug.h"

#include "actionlist.h"
#include "packetlog.h"
#include "prompts.h"
#include "ui_debug.h"

#include <QAction>
#include <QCloseEvent>
#include <QSignalBlocker>

TDebug::TDebug(QWidget *owner)
    : QWidget(owner, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      Ui(std::make_unique<Ui::TDebug>())
{
  setAttribute(Qt::WA_DeleteOnClose);
  Ui->setupUi(this);
  Actions = new TActionList(this);
  A_Play = MakeAction("A_Play", &TDebug::A_PlayExecute);
  A_Pause = MakeAction("A_Pause", &TDebug::A_PauseExecute);
  A_Next = MakeAction("A_Next", &TDebug::A_NextExecute);
  A_Prev = MakeAction("A_Prev", &TDebug::A_PrevExecute);
  A_Stop = MakeAction("A_Stop", &TDebug::A_StopExecute);
  Ui->Button1->setDefaultAction(A_Play);
  Ui->Button5->setDefaultAction(A_Prev);
  Ui->Button4->setDefaultAction(A_Next);
  Ui->Button3->setDefaultAction(A_Pause);
  Ui->Button2->setDefaultAction(A_Stop);
  Actions->AddUpdate([this] { UpdateActions(); });
  Retranslate();

  Ui->PacketSlider->setStyleSheet(QStringLiteral(
      "QSlider::groove:horizontal { height: 4px; background: white; border: 1px solid gray; }"
      "QSlider::handle:horizontal { background: #606060; width: 10px; margin: -8px 0; }"));
  // Programmatic moves are made with the signal blocked: the handler sees only the user's.
  connect(Ui->PacketSlider, &QSlider::valueChanged, this, &TDebug::PacketSliderChangedValue);
  Timer.setInterval(TimerIntervalMs);
  // The tick steps on whatever the enabled state of "Next".
  connect(&Timer, &QTimer::timeout, this, &TDebug::A_NextExecute);
  resize(421, 173);
  UpdateActions();
}

TDebug::~TDebug() { A_StopExecute(); }

QAction *TDebug::MakeAction(const char *name, void (TDebug::*execute)())
{
  auto *action = new QAction(this);
  action->setObjectName(QLatin1String(name));
  addAction(action);
  Actions->Add(action);
  connect(action, &QAction::triggered, this, [this, execute] {
    (this->*execute)();
    UpdateActions();
  });
  return action;
}

void TDebug::Retranslate()
{
  setWindowTitle(tr("Debug"));
  A_Play->setText(tr("Play"));
  A_Prev->setText(tr("Prev"));
  A_Next->setText(tr("Next"));
  A_Pause->setText(tr("Pause"));
  A_Stop->setText(tr("Stop"));
  Ui->LabelData->setText(tr("Data"));
  Ui->LabelLength->setText(tr("Lenght"));
  Ui->LabelMode->setText(tr("Mode"));
  Ui->LabelType->setText(tr("Type packet"));
  Ui->LabelNumber->setText(tr("Packet №"));
  Ui->LabelCount->setText(tr("Count packet"));
}

void TDebug::changeEvent(QEvent *event)
{
  if (event->type() == QEvent::LanguageChange)
    Retranslate();
  QWidget::changeEvent(event);
}

void TDebug::UpdateActions()
{
  const bool open = IsFileOpen();
  A_Play->setEnabled(!open);
  A_Pause->setEnabled(open);
  A_Next->setEnabled(open && !Timer.isActive());
  A_Prev->setEnabled(open && !Timer.isActive());
  A_Stop->setEnabled(open);
}

void TDebug::A_PlayExecute()
{
  if (IsFileOpen())
    return;
  const QString path = TPrompts::Instance().ChooseOpenFile(this, tr("Open"), QString(), QStringLiteral("(*.zlp)"));
  if (path.isEmpty())
    return;
  auto file = std::make_unique<QFile>(path);
  if (!file->open(QIODevice::ReadOnly)) {
    TPrompts::Instance().Inform(this, tr("Debug"), tr("Error open log file"), file->errorString());
    return;
  }
  PacketCount = PacketLog::RecordCountForSize(file->size());
  PacketStream = std::move(file);
  // A maximum of 0 is refused, as by the designed slider: the previous one stays.
  if (PacketCount > 0) {
    const QSignalBlocker blocker(Ui->PacketSlider);
    Ui->PacketSlider->setMaximum(PacketCount);
  }
  SetSlider(0);
  Ui->Edit1->setText(QString::number(PacketCount));
  Timer.start();
}

void TDebug::A_PauseExecute()
{
  if (!IsFileOpen())
    return;
  if (Timer.isActive())
    Timer.stop();
  else
    Timer.start();
}

void TDebug::A_NextExecute()
{
  SetSlider(Ui->PacketSlider->value() + 1);
  ShowPacket();
}

void TDebug::A_PrevExecute()
{
  SetSlider(Ui->PacketSlider->value() - 1);
  ShowPacket();
}

void TDebug::PacketSliderChangedValue(int) { ShowPacket(); }

void TDebug::ShowPacket()
{
  if (!PacketStream)
    return;
  const int v = Ui->PacketSlider->value();
  // Position 0 is the slider's rest position: the first record of a file is never shown.
  if (v == 0 || v >= PacketCount) {
    A_StopExecute();
    UpdateActions();
    return;
  }
  SPacket record;
  if (!PacketLog::ReadRecord(*PacketStream, v, record)) {   // the file shrank meanwhile
    A_StopExecute();
    UpdateActions();
    return;
  }
  Ui->Memo1->clear();
  Ui->Memo1->appendPlainText(PacketLog::PayloadHex(record));
  Ui->Edit2->setText(QString::number(record.Length));
  Ui->Edit3->setText(QString::number(std::int8_t(record.Status)));
  Ui->Edit4->setText(QString::number(record.Type));
  Ui->Edit5->setText(QString::number(v));
  repaint();
}

void TDebug::A_StopExecute()
{
  PacketStream.reset();
  SetSlider(0);
  ClearFields();
  Timer.stop();
}

void TDebug::ClearFields()
{
  Ui->Memo1->clear();
  for (QLineEdit *edit : {Ui->Edit1, Ui->Edit2, Ui->Edit3, Ui->Edit4, Ui->Edit5})
    edit->clear();
}

void TDebug::SetSlider(int value)
{
  if (value < Ui->PacketSlider->minimum() || value > Ui->PacketSlider->maximum())
    return;
  const QSignalBlocker blocker(Ui->PacketSlider);
  Ui->PacketSlider->setValue(value);
}

void TDebug::closeEvent(QCloseEvent *event)
{
  A_StopExecute();
  event->accept();
}
