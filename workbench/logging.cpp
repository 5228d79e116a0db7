#include "logging.h"

#include "communication.h"
#include "liverecord.h"
#include "messages.h"
#include "readlog.h"
#include "ui_logging.h"
#include "wbprompts.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyle>
#include <QThread>

namespace {

QIcon RecordIcon()
{
  QPixmap pixmap(20, 20);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QColor(120, 0, 0));
  painter.setBrush(QColor(210, 20, 20));
  painter.drawEllipse(QRectF(4, 4, 12, 12));
  return QIcon(pixmap);
}

// The system's long time format without the time zone, which would crowd the label.
QString TimeStampText(double readTime)
{
  const QDateTime stamp = FromDayCount(readTime);
  const QLocale locale = QLocale::system();
  QString timeFormat = locale.timeFormat(QLocale::LongFormat);
  timeFormat.remove(QLatin1Char('t'));
  return locale.toString(stamp.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
         locale.toString(stamp.time(), timeFormat.trimmed());
}

}   // namespace

TLogging::TLogging(QWidget *owner, TCommunication *link, TMessages *messages)
    : QWidget(owner, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      Ui(std::make_unique<Ui::TLogging>()), Communication(link), Messages(messages)
{
  setAttribute(Qt::WA_DeleteOnClose);
  Ui->setupUi(this);
  QStyle *s = style();
  A_Rec = MakeAction("A_Rec", RecordIcon(), &TLogging::A_RecExecute);
  A_Play = MakeAction("A_Play", s->standardIcon(QStyle::SP_MediaPlay), &TLogging::A_PlayExecute);
  A_Rew = MakeAction("A_Rew", s->standardIcon(QStyle::SP_MediaSeekBackward), &TLogging::A_RewExecute);
  A_Fw = MakeAction("A_Fw", s->standardIcon(QStyle::SP_MediaSeekForward), &TLogging::A_FwExecute);
  A_Pause = MakeAction("A_Pause", s->standardIcon(QStyle::SP_MediaPause), &TLogging::A_PauseExecute);
  A_Stop = MakeAction("A_Stop", s->standardIcon(QStyle::SP_MediaStop), &TLogging::A_StopExecute);
  // The pause button stays down while the playback is paused.
  A_Pause->setCheckable(true);
  A_Rew->setEnabled(false);
  A_Fw->setEnabled(false);
  Ui->B_Rec->setDefaultAction(A_Rec);
  Ui->B_Play->setDefaultAction(A_Play);
  Ui->B_Rew->setDefaultAction(A_Rew);
  Ui->B_Fw->setDefaultAction(A_Fw);
  Ui->B_Pause->setDefaultAction(A_Pause);
  Ui->B_Stop->setDefaultAction(A_Stop);
  Retranslate();

  Ui->PacketSlider->setStyleSheet(QStringLiteral(
      "QSlider::groove:horizontal { height: 3px; background: white; border: 1px solid gray; }"
      "QSlider::sub-page:horizontal { background: navy; }"
      "QSlider::handle:horizontal { background: navy; width: 6px; margin: -4px 0; }"
      "QSlider::groove:horizontal:disabled { background: #e0e0e0; }"
      "QSlider::sub-page:horizontal:disabled { background: #9090b0; }"
      "QSlider::handle:horizontal:disabled { background: #9090b0; }"));
  // Programmatic moves go through SetSlider with the signal blocked: the handler sees only the user's.
  connect(Ui->PacketSlider, &QSlider::valueChanged, this, &TLogging::PacketSliderChangedValue);

  Ui->FLBox->setFlow(QListView::TopToBottom);
  Ui->FLBox->setWrapping(true);
  Ui->FLBox->setResizeMode(QListView::Adjust);
  Ui->FLBox->setUniformItemSizes(true);
  Ui->FLBox->setTextElideMode(Qt::ElideMiddle);
  Ui->FLBox->setSelectionMode(QAbstractItemView::SingleSelection);

  connect(Ui->LogDirectory, &QLineEdit::textChanged, this, &TLogging::LogDirectoryChange);
  connect(Ui->LogDirectoryButton, &QToolButton::clicked, this, &TLogging::ChooseDirectory);

  if (Messages)
    Messages->Add(this);
  SetLogDirectory(QCoreApplication::applicationDirPath());
  resize(470, 265);
}

TLogging::~TLogging()
{
  // Normally closing has stopped everything; a window deleted without closing stops here, so
  // that no playback outlives the lock and flag it shares with us.
  if (FPlayer && PlayerAlive())
    A_StopExecute();
  FLogStream.Close();
  if (Messages)
    Messages->Remove(this);
}

QAction *TLogging::MakeAction(const char *name, const QIcon &icon, void (TLogging::*execute)())
{
  auto *action = new QAction(icon, QString(), this);
  action->setObjectName(QLatin1String(name));
  addAction(action);
  connect(action, &QAction::triggered, this, execute);
  return action;
}

void TLogging::Retranslate()
{
  setWindowTitle(tr("Logging"));
  Ui->Label3->setText(tr("Directory for log files"));
  Ui->AutoFileName->setText(tr("Auto file name"));
  Ui->LogDirectory->setToolTip(tr("Directory for log files"));
  A_Rec->setText(tr("Record"));
  A_Play->setText(tr("Play"));
  A_Rew->setText(tr("Rewind"));
  A_Fw->setText(tr("Forward"));
  A_Pause->setText(tr("Pause"));
  A_Stop->setText(tr("Stop"));
}

void TLogging::changeEvent(QEvent *event)
{
  if (event->type() == QEvent::LanguageChange)
    Retranslate();
  QWidget::changeEvent(event);
}

// ------------------------------------------------------------------ directory and file list

QString TLogging::LogDirectory() const { return Ui->LogDirectory->text(); }

void TLogging::SetLogDirectory(const QString &directory)
{
  if (Ui->LogDirectory->text() == directory)
    LogDirectoryChange();
  else
    Ui->LogDirectory->setText(directory);
}

void TLogging::LogDirectoryChange()
{
  const QString text = Ui->LogDirectory->text();
  if (!text.endsWith(QLatin1Char('/'))) {
    Ui->LogDirectory->setText(text + QLatin1Char('/'));   // comes back here once with the slash
    return;
  }
  RefreshFileList();
}

void TLogging::ChooseDirectory()
{
  const QString chosen = WorkbenchPrompts::Instance().ChooseFolder(this, tr("Directory for log files"), LogDirectory());
  if (!chosen.isEmpty())
    SetLogDirectory(QDir::fromNativeSeparators(chosen));
}

void TLogging::RefreshFileList()
{
  const QListWidgetItem *current = Ui->FLBox->currentItem();
  const QString selected = current && current->isSelected() ? current->text() : QString();
  Ui->FLBox->clear();
  const QStringList names = QDir(LogDirectory()).entryList({QStringLiteral("*.zlf")}, QDir::Files, QDir::Name);
  Ui->FLBox->addItems(names);
  if (!selected.isEmpty())
    for (QListWidgetItem *item : Ui->FLBox->findItems(selected, Qt::MatchExactly))
      Ui->FLBox->setCurrentItem(item);
  LayOutFileColumns();
}

void TLogging::LayOutFileColumns()
{
  const int width = qMax(40, (Ui->FLBox->viewport()->width() - 4) / 3);
  Ui->FLBox->setGridSize(QSize(width, Ui->FLBox->fontMetrics().height() + 4));
}

void TLogging::resizeEvent(QResizeEvent *event)
{
  QWidget::resizeEvent(event);
  LayOutFileColumns();
}

// ------------------------------------------------------------------ live and played records

void TLogging::customEvent(QEvent *event)
{
  if (event->type() == WM_READINFO)
    WMReadInfo(static_cast<TReadInfoEvent *>(event)->Info);
  else
    QWidget::customEvent(event);
}

void TLogging::WMReadInfo(const SInfo &info)
{
  if (FLogStream.IsOpen()) {
    if (info.ReadTime != 0) {
      const std::int32_t number = FLogStream.NextRecordNo();
      if (FLogStream.Append(info))
        ShowCounter(number);
      else
        RecordingFailed();
    } else if (!Communication || !Communication->IsLinkAlive()) {
      A_StopExecute();   // the link is lost: the polling thread sends zero records
    }
    // A zero record while the link is still alive is one live packet that did not come in
    // time (or one sent before the link came up): nothing to write, and no reason to end
    // the drive's recording.
  }
  if (FPlayer) {
    SetSlider(info.RecordNo);
    ShowCounter(info.RecordNo);
    if (info.RecordNo == 0)
      A_StopExecute();   // the playback's end record
  }
  QString stamp = QStringLiteral(" ");
  if (info.ReadTime != 0)
    stamp += TimeStampText(info.ReadTime);
  Ui->L_DataTime->setText(stamp);
}

// ------------------------------------------------------------------ recording

void TLogging::A_RecExecute()
{
  if (FLogStream.IsOpen() || FPlayer)
    return;
  TPrompts &prompts = WorkbenchPrompts::Instance();
  if (!Communication || !Communication->IsPortOpen() || !Communication->IsLinkAlive()) {
    prompts.Inform(this, tr("Logging"), tr("Record log files only connected Zolt."));
    return;
  }
  QString name;
  if (Ui->AutoFileName->isChecked()) {
    name = DataLog::AutoFileName(QDateTime::currentDateTime());
  } else {
    QString answer = prompts.AskText(this, tr("Enter filename"), QString(), QStringLiteral("Test"));
    // A blank answer would make ".zlf", a hidden file the list never shows.
    if (answer.trimmed().isEmpty())
      answer = QStringLiteral("Test");
    name = answer + QStringLiteral(".zlf");
  }
  const QString path = LogDirectory() + name;
  if (!FLogStream.Open(path)) {
    // Said out loud: a technician who believes a drive is being recorded would lose it.
    prompts.Inform(this, tr("Logging"), tr("The log file %1 could not be created.").arg(QDir::toNativeSeparators(path)),
                   FLogStream.ErrorString());
    return;
  }
  FLogFileName = name;
  A_Play->setEnabled(false);
  A_Rec->setEnabled(false);
  A_Fw->setEnabled(false);
  A_Rew->setEnabled(false);
  A_Pause->setEnabled(false);
}

void TLogging::RecordingFailed()
{
  const QString reason = FLogStream.ErrorString();
  const QString path = QDir::toNativeSeparators(LogDirectory() + FLogFileName);
  A_StopExecute();
  WorkbenchPrompts::Instance().Inform(
      this, tr("Logging"),
      tr("The log file %1 could not be written; recording has stopped. The records before the error are kept.")
          .arg(path),
      reason);
}

// ------------------------------------------------------------------ playback

bool TLogging::PlayerAlive()
{
  if (!FPlayer)
    return false;
  std::scoped_lock guard(FPlayLock);
  return !FPlayFinished;
}

bool TLogging::IsPlaybackHeld() { return PlayerAlive() && FPlayer->IsHeld(); }

void TLogging::A_PlayExecute()
{
  if (FPlayer || FLogStream.IsOpen())
    return;
  TPrompts &prompts = WorkbenchPrompts::Instance();
  if (Communication && Communication->IsPortOpen()) {
    prompts.Inform(this, tr("Logging"), tr("Play log files only disconnected Zolt."));
    return;
  }
  const QList<QListWidgetItem *> selected = Ui->FLBox->selectedItems();
  if (selected.isEmpty()) {
    prompts.Inform(this, tr("Logging"), tr("Please select file."));
    return;
  }
  FPlayer = new TReadLog(LogDirectory() + selected.constFirst()->text(), Messages, FPlayFinished, FPlayLock);
  {
    const QSignalBlocker blocker(Ui->PacketSlider);
    Ui->PacketSlider->setMaximum(FPlayer->GetRecordCount());
  }
  FPlayer->start();
  Ui->PacketSlider->setEnabled(true);
  A_Play->setEnabled(false);
  A_Rec->setEnabled(false);
}

void TLogging::A_PauseExecute()
{
  if (!PlayerAlive()) {
    A_Pause->setChecked(false);
    return;
  }
  const bool pause = !FPlayer->IsPaused();
  if (pause)
    FPlayer->Pause();
  else
    FPlayer->Resume();
  A_Rew->setEnabled(pause);
  A_Fw->setEnabled(pause);
  A_Pause->setChecked(pause);
}

void TLogging::PacketSliderChangedValue(int value)
{
  if (!PlayerAlive())
    return;
  if (value > Ui->PacketSlider->maximum() || value <= 0)
    return;
  SetSlider(value);
  FPlayer->SeekTo(value);
  ShowCounter(value);
}

void TLogging::A_FwExecute() { PacketSliderChangedValue(Ui->PacketSlider->value() + 1); }

void TLogging::A_RewExecute() { PacketSliderChangedValue(Ui->PacketSlider->value() - 1); }

void TLogging::A_StopExecute()
{
  if (FPlayer) {
    TReadLog *player = FPlayer;
    if (PlayerAlive()) {
      player->RequestStop();
      // The end record arrives meanwhile and may run this once more: that run finds the flag set.
      for (;;) {
        {
          std::scoped_lock guard(FPlayLock);
          if (FPlayFinished)
            break;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(5);
      }
    }
    FPlayer = nullptr;
  } else if (FLogStream.IsOpen()) {
    FLogStream.Close();
    RefreshFileList();
  }
  A_Play->setEnabled(true);
  A_Rec->setEnabled(true);
  A_Fw->setEnabled(true);
  A_Rew->setEnabled(true);
  A_Pause->setEnabled(true);
  A_Pause->setChecked(false);
  Ui->PacketSlider->setEnabled(false);
  SetSlider(0);
  Ui->PacketCV->setText(QStringLiteral("0"));
}

void TLogging::closeEvent(QCloseEvent *event)
{
  A_StopExecute();
  event->accept();
}

// ------------------------------------------------------------------ small helpers

void TLogging::ShowCounter(int value) { Ui->PacketCV->setText(QString::number(value)); }

void TLogging::SetSlider(int value)
{
  // Like the designed slider: a position outside its range is ignored.
  if (value < Ui->PacketSlider->minimum() || value > Ui->PacketSlider->maximum())
    return;
  const QSignalBlocker blocker(Ui->PacketSlider);
  Ui->PacketSlider->setValue(value);
}
