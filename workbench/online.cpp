#include "online.h"

#include "analoggauge.h"
#include "calibration.h"
#include "lamp.h"
#include "messages.h"
#include "ui_online.h"

#include <QGuiApplication>
#include <QResizeEvent>
#include <QScreen>
#include <iterator>

namespace {

const char *const WorkModes[] = {QT_TRANSLATE_NOOP("TOnline", "Stop"), QT_TRANSLATE_NOOP("TOnline", "Start"),
                                 QT_TRANSLATE_NOOP("TOnline", "Iddle"), QT_TRANSLATE_NOOP("TOnline", "Work")};
const char *const TestModes[] = {
    QT_TRANSLATE_NOOP("TOnline", "Off"),          QT_TRANSLATE_NOOP("TOnline", "Start angle"),
    QT_TRANSLATE_NOOP("TOnline", "Forced angle"), QT_TRANSLATE_NOOP("TOnline", "Test cylinders"),
    QT_TRANSLATE_NOOP("TOnline", "Auto oscillations"), QT_TRANSLATE_NOOP("TOnline", "Spark dryer"),
    QT_TRANSLATE_NOOP("TOnline", "Analyzer"),     QT_TRANSLATE_NOOP("TOnline", "Generator info")};

struct SGaugeRow {
  const char *Name;
  const char *Caption;
  const char *Unit;
  double Start, End, Green, Yellow;
  int MainTicks, Decimals, SubTicks;
};

// Sub-ticks: one per useful step of each quantity (200 rpm, 1 degree, 0.5, 0.5 AFR, 0.25 ms,
// 5 degrees C, 0.5 V).
const SGaugeRow Gauges[] = {
    {"D_1", QT_TRANSLATE_NOOP("TOnline", "RPM"), "", 0, 9000, 6000, 7000, 9, 0, 5},
    {"D_7", QT_TRANSLATE_NOOP("TOnline", "Angle"), "", 0, 60, 40, 55, 12, 1, 5},
    {"D_2", QT_TRANSLATE_NOOP("TOnline", "Flow"), "", 0, 16, 1, 15, 8, 1, 4},
    {"D_3", QT_TRANSLATE_NOOP("TOnline", "Lambda"), QT_TRANSLATE_NOOP("TOnline", "AFR"), 10, 20, 13, 16, 5, 1, 4},
    {"D_6", QT_TRANSLATE_NOOP("TOnline", "Time inj"), QT_TRANSLATE_NOOP("TOnline", "ms"), 0, 6, 0.5, 5.5, 12, 1, 2},
    {"D_4", QT_TRANSLATE_NOOP("TOnline", "Temp"), QT_TRANSLATE_NOOP("TOnline", "C"), -30, 130, 80, 100, 8, 1, 4},
    {"D_8", QT_TRANSLATE_NOOP("TOnline", "Voltage"), QT_TRANSLATE_NOOP("TOnline", "V"), 0, 16, 11, 14, 8, 1, 4},
    {"D_5", QT_TRANSLATE_NOOP("TOnline", "Temp air"), QT_TRANSLATE_NOOP("TOnline", "C"), -30, 130, 80, 100, 8, 1, 4},
};

}   // namespace

TOnline::TOnline(TAllCalibration *calibrations, TCommunication *communication, TMessages *messages, QWidget *parent)
    : QWidget(parent), Ui(std::make_unique<Ui::TOnline>()), Calibrations(calibrations), Communication(communication),
      Messages(messages)
{
  Ui->setupUi(this);
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowFlags(Qt::Window | Qt::WindowSystemMenuHint | Qt::WindowTitleHint | Qt::WindowMaximizeButtonHint |
                 Qt::WindowCloseButtonHint);
  SetUpGauges();
  Ui->Panel3->installEventFilter(this);
  if (const QScreen *screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  if (Messages)
    Messages->Add(this);
}

TOnline::~TOnline()
{
  if (Messages)
    Messages->Remove(this);
}

TAnalogGauge *TOnline::Gauge(const char *name) const { return findChild<TAnalogGauge *>(QLatin1String(name)); }
TLamp *TOnline::Lamp(const char *name) const { return findChild<TLamp *>(QLatin1String(name)); }
QLabel *TOnline::Label(const char *name) const { return findChild<QLabel *>(QLatin1String(name)); }

QString TOnline::WorkModeText(int mode)
{
  return tr(WorkModes[mode >= 0 && mode < int(std::size(WorkModes)) ? mode : 0]);
}

QString TOnline::TestModeText(int mode)
{
  return tr(TestModes[mode >= 0 && mode < int(std::size(TestModes)) ? mode : 0]);
}

void TOnline::SetUpGauges()
{
  for (const SGaugeRow &row : Gauges) {
    SGaugeSettings settings;
    settings.Caption = tr(row.Caption);
    settings.Unit = *row.Unit ? tr(row.Unit) : QString();
    settings.ScaleStart = row.Start;
    settings.ScaleEnd = row.End;
    settings.GreenEnd = row.Green;
    settings.YellowEnd = row.Yellow;
    settings.MainTicks = row.MainTicks;
    settings.TickDecimals = row.Decimals;
    settings.SubTicks = row.SubTicks;
    TAnalogGauge *gauge = Gauge(row.Name);
    gauge->SetSettings(settings);
    // Lambda and the temperatures rest at their scale start, the others at zero.
    gauge->SetPosition(row.Start);
  }
}

void TOnline::customEvent(QEvent *event)
{
  if (event->type() == WM_READINFO)
    WMReadInfo(static_cast<const TReadInfoEvent *>(event)->Info);
  else
    QWidget::customEvent(event);
}

void TOnline::WMReadInfo(const SInfo &info)
{
  // Each value as the single-precision number the gauges were designed for.
  Ui->D_1->SetPosition(float(info.RPM));
  Ui->D_7->SetPosition(float(info.Advance));
  Ui->D_2->SetPosition(float(info.FlowValue));
  Ui->D_3->SetPosition(float(info.AFR));
  Ui->D_6->SetPosition(float(info.InjTime));
  Ui->D_4->SetPosition(float(info.Temp));
  Ui->D_8->SetPosition(float(info.Voltage));
  Ui->D_5->SetPosition(float(info.TempAir));

  Ui->F_AUX->SetLit(info.AuxOut != 0);
  Ui->F_LIMIT->SetLit(info.LimitRPM != 0);
  Ui->F_CARB->SetLit(info.Carb != 0);
  Ui->F_EIDDLE->SetLit(info.EconomIdle != 0);
  Ui->ERR_ANGLE->SetLit(info.LimitAngle != 0);
  Ui->ERR_MAP->SetLit(info.ErrMap != 0);
  Ui->ERR_WDT->SetLit(info.ErrWdt != 0);
  Ui->ERR_SYNC->SetLit(info.ErrSync != 0);

  Ui->L_WorkMode->setText(tr("Work mode: ") + WorkModeText(info.WorkMode));
  Ui->L_TestMode->setText(tr("Test mode: ") + TestModeText(info.TestMode));
  const TCalibration *table = Calibrations ? Calibrations->GetCalibration(0, info.ActiveTable) : nullptr;
  Ui->L_ActiveTable->setText(tr("Active table: ") + (table ? table->Name() : QString()));
}

void TOnline::resizeEvent(QResizeEvent *event)
{
  QWidget::resizeEvent(event);
  FormCanResize();
}

void TOnline::FormCanResize()
{
  // The height leads; the width follows at 1.57 times it. A window manager that refuses the
  // width is asked once, not again and again.
  const QSize wanted(WidthFor(height()), height());
  if (isMaximized() || isFullScreen() || wanted == size() || wanted == RequestedSize)
    return;
  RequestedSize = wanted;
  resize(wanted);
}

bool TOnline::eventFilter(QObject *watched, QEvent *event)
{
  if (watched == Ui->Panel3 && event->type() == QEvent::Resize)
    PlaceGauges();
  return QWidget::eventFilter(watched, event);
}

void TOnline::PlaceGauges()
{
  // Four equal columns and two equal rows over the gauge panel, 3 pixels between them all.
  const int w = (Ui->Panel3->width() - 15) / 4;
  const int h = (Ui->Panel3->height() - 10) / 2;
  TAnalogGauge *rows[2][4] = {{Ui->D_1, Ui->D_7, Ui->D_2, Ui->D_3}, {Ui->D_6, Ui->D_4, Ui->D_8, Ui->D_5}};
  for (int r = 0; r < 2; ++r)
    for (int c = 0; c < 4; ++c)
      rows[r][c]->setGeometry(3 + c * (w + 3), 3 + r * (h + 3), w, h);
}

void TOnline::changeEvent(QEvent *event)
{
  if (event->type() == QEvent::LanguageChange) {
    Ui->retranslateUi(this);
    const QList<double> positions = {Ui->D_1->Position(), Ui->D_7->Position(), Ui->D_2->Position(),
                                     Ui->D_3->Position(), Ui->D_6->Position(), Ui->D_4->Position(),
                                     Ui->D_8->Position(), Ui->D_5->Position()};
    SetUpGauges();
    TAnalogGauge *gauges[] = {Ui->D_1, Ui->D_7, Ui->D_2, Ui->D_3, Ui->D_6, Ui->D_4, Ui->D_8, Ui->D_5};
    for (int k = 0; k < 8; ++k)
      gauges[k]->SetPosition(positions[k]);
  }
  QWidget::changeEvent(event);
}
