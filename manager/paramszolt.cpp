#include "paramszolt.h"

#include "prompts.h"
#include "ui_paramszolt.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <algorithm>

namespace {

QString NumberText(QString input, const QString &prefix, const QString &suffix)
{
  if (!prefix.isEmpty() && input.startsWith(prefix))
    input.remove(0, prefix.size());
  if (!suffix.isEmpty() && input.endsWith(suffix))
    input.chop(suffix.size());
  return input.trimmed();
}

// Positions in the signal lists of the configurable outputs.
enum EEphhSignal { EphhStrob, EphhRpm, EphhFlow, EphhTemperature, EphhVoltage };
enum EPanelSignal { PanelFlow, PanelTemperature, PanelRpm, PanelVoltage };

}   // namespace

// ---- spin edits that crop -------------------------------------------------------------------

QValidator::State TCropSpinBox::validate(QString &input, int &pos) const
{
  const QValidator::State state = QSpinBox::validate(input, pos);
  if (state != QValidator::Invalid)
    return state;
  bool ok = false;
  locale().toLongLong(NumberText(input, prefix(), suffix()), &ok);
  return ok ? QValidator::Intermediate : state;
}

void TCropSpinBox::fixup(QString &input) const
{
  bool ok = false;
  const qlonglong value = locale().toLongLong(NumberText(input, prefix(), suffix()), &ok);
  if (ok)
    input = prefix() + textFromValue(int(std::clamp<qlonglong>(value, minimum(), maximum()))) + suffix();
  else
    QSpinBox::fixup(input);
}

QValidator::State TCropDoubleSpinBox::validate(QString &input, int &pos) const
{
  const QValidator::State state = QDoubleSpinBox::validate(input, pos);
  if (state != QValidator::Invalid)
    return state;
  bool ok = false;
  locale().toDouble(NumberText(input, prefix(), suffix()), &ok);
  return ok ? QValidator::Intermediate : state;
}

void TCropDoubleSpinBox::fixup(QString &input) const
{
  bool ok = false;
  const double value = locale().toDouble(NumberText(input, prefix(), suffix()), &ok);
  if (ok)
    input = prefix() + textFromValue(std::clamp(value, minimum(), maximum())) + suffix();
  else
    QDoubleSpinBox::fixup(input);
}

// ---- window ---------------------------------------------------------------------------------

TParamsZolt::TParamsZolt(SParams *parameters, SParamsExt *extraParameters, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      Ui(std::make_unique<Ui::TParamsZolt>()), Parameters(parameters), ExtraParameters(extraParameters)
{
  setAttribute(Qt::WA_DeleteOnClose);
  Ui->setupUi(this);

  for (const char *item : KnockFrequencyItems)
    Ui->V_DD_Freq->addItem(QString::fromLatin1(item));
  for (const char *item : KnockGainItems)
    Ui->V_DD_Gain->addItem(QString::fromLatin1(item));
  for (const char *item : KnockFilterItems)
    Ui->V_DD_Filter->addItem(QString::fromLatin1(item));

  connect(Ui->C_MaxUOZHH, &QCheckBox::toggled, this, &TParamsZolt::C_MaxUOZHHClick);
  connect(Ui->C_KnockSensor, &QCheckBox::toggled, this, &TParamsZolt::C_KnockSensorClick);
  connect(Ui->C_EnableLaunch, &QCheckBox::toggled, this, &TParamsZolt::C_EnableLaunchClick);
  connect(Ui->C_BuzzTemp, &QCheckBox::toggled, this, &TParamsZolt::C_BuzzTempClick);
  connect(Ui->C_BuzzNapr, &QCheckBox::toggled, this, &TParamsZolt::C_BuzzNaprClick);
  connect(Ui->C_BuzzRPM, &QCheckBox::toggled, this, &TParamsZolt::C_BuzzRPMClick);
  connect(Ui->C_EnableDT, &QCheckBox::toggled, this, &TParamsZolt::C_EnableDTClick);
  connect(Ui->C_DigitalDT, &QCheckBox::toggled, this, &TParamsZolt::C_DigitalDTClick);
  connect(Ui->C_Ext2Check, &QCheckBox::toggled, this, &TParamsZolt::C_Ext2CheckClick);
  connect(Ui->C_Ext1Check, &QCheckBox::toggled, this, &TParamsZolt::C_Ext1CheckClick);
  connect(Ui->Ext2GroupLPG, &QRadioButton::toggled, this, &TParamsZolt::Ext2GroupClick);
  connect(Ui->Ext1GroupCurve2, &QRadioButton::toggled, this, &TParamsZolt::Ext1GroupClick);
  // Only a choice made by the user warns; selecting from code does not run the rule.
  connect(Ui->V_CylCount, &QComboBox::activated, this, &TParamsZolt::V_CylCountChange);
  connect(Ui->EPHHMode, &QCheckBox::toggled, this, &TParamsZolt::EPHHModeClick);
  connect(Ui->EPHHName, &QComboBox::currentIndexChanged, this, &TParamsZolt::EPHHNameChange);
  connect(Ui->AUXMode, &QCheckBox::toggled, this, &TParamsZolt::AUXModeClick);
  connect(Ui->AUXName, &QComboBox::currentIndexChanged, this, &TParamsZolt::AUXNameChange);
  connect(Ui->DH4Mode, &QCheckBox::toggled, this, &TParamsZolt::DH4ModeClick);
  connect(Ui->DH4Name, &QComboBox::currentIndexChanged, this, &TParamsZolt::DH4NameChange);

  // The injection settings have no page the technician sees; their values still pass through.
  Ui->PageControl->setTabVisible(Ui->PageControl->indexOf(Ui->InjectionPage), false);
  Ui->PageControl->setCurrentWidget(Ui->OutputsPage);
  EPHHNameChange(Ui->EPHHName->currentIndex());
  AUXNameChange(Ui->AUXName->currentIndex());
  DH4NameChange(Ui->DH4Name->currentIndex());

  // Byte 1 is shown as it is: forcing it to a fixed value here would rewrite the ECU's fuel and
  // curve choice behind the technician's back at the next write.
  ShowParams();
  C_KnockSensorClick(Ui->C_KnockSensor->isChecked());

  layout()->setSizeConstraint(QLayout::SetFixedSize);
  adjustSize();
  if (const QScreen *screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
}

TParamsZolt::~TParamsZolt() = default;

void TParamsZolt::closeEvent(QCloseEvent *event)
{
  StoreParams();
  event->accept();
}

void TParamsZolt::changeEvent(QEvent *event)
{
  if (event->type() == QEvent::LanguageChange) {
    Ui->retranslateUi(this);
    // The label beside the EPHH list follows the chosen signal, not the design.
    EPHHNameChange(Ui->EPHHName->currentIndex());
  }
  QWidget::changeEvent(event);
}

// ---- blocks <-> controls --------------------------------------------------------------------

void TParamsZolt::ShowParams()
{
  SParams &p = *Parameters;
  const SParamsExt &x = *ExtraParameters;

  if (p.CylCount == 0)
    p.CylCount = DefaultCylCount;
  Ui->V_CylCount->setCurrentIndex(Ui->V_CylCount->findText(QString::number(p.CylCount)));
  CylCountIndex = Ui->V_CylCount->currentIndex();

  if (p.MaxRpm == 0)
    p.MaxRpm = DefaultMaxRpmPeriod;
  Show(Ui->V_MaxRPM, RpmPeriod(p.MaxRpm));

  Show(Ui->V_Oktan, HalfDegreesShown(p.Oktan));
  Show(Ui->V_MaxUOZHH, HalfDegreesShown(p.MaxUOZHH));
  Show(Ui->V_RPMHH, RpmPeriod(p.RpmHH));
  Show(Ui->V_EPHHDelay, TenthsShown(p.EPHHDelay));

  Ui->C_ManySpark->setChecked(p.IgnOptions & IgnMultispark);
  Ui->C_MaxUOZHH->setChecked(p.IgnOptions & IgnCorrectionIdleRpm);
  Ui->C_StaticSpark->setChecked(p.IgnOptions & IgnStaticSpark);
  Ui->C_EndInverse->setChecked(p.IgnOptions & IgnInversionSwitch);

  if (p.DpkvTotal == 0)
    p.DpkvTotal = DefaultDpkvTotal;
  Show(Ui->V_DPKV_TOTAL, p.DpkvTotal);
  if (p.DpkvNo == 0)
    p.DpkvNo = DefaultDpkvNo;
  Show(Ui->V_DPKV_NO, p.DpkvNo);
  Show(Ui->V_StartAngle, p.StartAngle);
  Show(Ui->V_DHCorrection, HalfDegreesShown(p.DHCorrection));
  Show(Ui->V_DTHHon, p.TempCorrHH);

  Show(Ui->V_DTColdLevel, VoltageCountsShown(p.DTCold));
  Show(Ui->V_DTHotLevel, VoltageCountsShown(p.DTHot));
  Show(Ui->V_DAD_AtmoLevel, VoltageCountsShown(p.DadAtmo));
  Show(Ui->V_DAD_Offset16, VoltageCountsShown(p.DadFlow16));
  Show(Ui->V_DAD_Offset1, VoltageCountsShown(p.DadFlow1));

  Show(Ui->V_CalibrVolt, TenthsShown(p.CalibrVolt));

  // "Enable DT" first: its rule clears "Digital".
  Ui->C_EnableDT->setChecked(p.SensorOptions & SensorEnableDT);
  Ui->C_EnableV->setChecked(p.SensorOptions & SensorEnableVoltmeter);
  Ui->C_InvertDUI->setChecked(p.SensorOptions & SensorInvertSAI);
  Ui->C_InvertDNO->setChecked(p.SensorOptions & SensorInvertSBR);
  Ui->C_FaseSensor->setChecked(p.SensorOptions & SensorFase);
  Ui->C_Mode36_1->setChecked(p.SensorOptions & SensorMode36_1);
  Ui->C_KnockSensor->setChecked(p.SensorOptions & SensorKnock);
  Ui->C_DigitalDT->setChecked(p.TempSensorOptions & TempSensorDigital);

  // The blocks have no on/off flag for the buzzer thresholds and launch control: a threshold of 0
  // means off, so each box is checked exactly when its field is not 0. The box is set before its
  // edit, so that its rule (unchecking clears the edit) cannot overwrite the value shown.
  Ui->C_BuzzTemp->setChecked(p.BuzzTemp != 0);
  Show(Ui->V_BuzzTempValue, p.BuzzTemp);
  Ui->C_BuzzNapr->setChecked(p.BuzzVolt != 0);
  Show(Ui->V_BuzzNaprValue, TenthsShown(p.BuzzVolt));
  Ui->C_BuzzRPM->setChecked(p.BuzzRpm != 0);
  Show(Ui->V_BuzzRPMValue, p.BuzzRpm != 0 ? RpmPeriod(p.BuzzRpm) : 400);
  Ui->C_EnableLaunch->setChecked(p.LaunchRpm != 0);
  Show(Ui->V_Launch, RpmPeriod(p.LaunchRpm));

  auto select = [](QComboBox *list, int index) { list->setCurrentIndex(index < list->count() ? index : -1); };
  select(Ui->V_DD_Freq, x.KnockFreq);
  select(Ui->V_DD_Gain, x.KnockGain);
  select(Ui->V_DD_Filter, x.KnockFilter);
  Show(Ui->V_DD_MaxRetard, HalfDegreesShown(x.KnockMaxRetard));
  Show(Ui->V_DD_RetardStep, HalfDegreesShown(x.KnockRetardStep));
  Show(Ui->V_DD_RecoveryTime, x.KnockRecovery);
  Show(Ui->V_AE_Level, x.AELevel);
  Show(Ui->V_AE_Max, x.AEMax);
  Show(Ui->V_AE_Time, x.AETime);
  Show(Ui->V_InjVoltageCorr, TenthsShown(x.InjVoltageCorr));

  // The external-switch rules write their bits back as they run; they are taken from one
  // snapshot so that the byte ends as it was.
  const std::uint8_t ext = p.ExtSwitch;
  Ui->C_Ext1Check->setChecked(!(ext & ExtSwitch2Unused));
  (ext & ExtFixedCurve2 ? Ui->Ext1GroupCurve2 : Ui->Ext1GroupCurve1)->setChecked(true);
  Ui->C_Ext2Check->setChecked(!(ext & ExtSwitch1Unused));
  (ext & ExtFixedLpg ? Ui->Ext2GroupLPG : Ui->Ext2GroupPetrol)->setChecked(true);
  p.ExtSwitch = ext;
}

void TParamsZolt::StoreParams()
{
  SParams &p = *Parameters;
  SParamsExt &x = *ExtraParameters;

  // Text typed but not yet confirmed counts, cropped as it would be on leaving the edit.
  for (auto it = Synced.cbegin(); it != Synced.cend(); ++it)
    const_cast<QAbstractSpinBox *>(it.key())->interpretText();

  // The fields are packed (some at odd offsets), so they are passed and assigned by value,
  // never bound to references.
  auto store = [this](auto field, const QAbstractSpinBox *box, int stored) {
    return Touched(box) ? SaturateTo<decltype(field)>(stored) : field;
  };
  auto storePeriod = [this](std::uint16_t field, const QSpinBox *box) {
    return Touched(box) ? PeriodField(box->value()) : field;
  };

  // A count outside the list shows no entry; the stored byte is then kept rather than guessed.
  if (Ui->V_CylCount->currentIndex() >= 0)
    p.CylCount = std::uint8_t(Ui->V_CylCount->currentText().trimmed().toInt());
  p.MaxRpm = storePeriod(p.MaxRpm, Ui->V_MaxRPM);
  p.RpmHH = storePeriod(p.RpmHH, Ui->V_RPMHH);
  // Launch control switched off is stored as 0, the same "off" as the buzzer thresholds use;
  // the period of a speed of 0 would not fit the field.
  if (!Ui->C_EnableLaunch->isChecked())
    p.LaunchRpm = 0;
  else
    p.LaunchRpm = storePeriod(p.LaunchRpm, Ui->V_Launch);

  p.Oktan = store(p.Oktan, Ui->V_Oktan, HalfDegreesStored(Ui->V_Oktan->value()));
  p.MaxUOZHH = store(p.MaxUOZHH, Ui->V_MaxUOZHH, HalfDegreesStored(Ui->V_MaxUOZHH->value()));
  p.DHCorrection = store(p.DHCorrection, Ui->V_DHCorrection, HalfDegreesStored(Ui->V_DHCorrection->value()));
  x.KnockMaxRetard = store(x.KnockMaxRetard, Ui->V_DD_MaxRetard, HalfDegreesStored(Ui->V_DD_MaxRetard->value()));
  x.KnockRetardStep = store(x.KnockRetardStep, Ui->V_DD_RetardStep, HalfDegreesStored(Ui->V_DD_RetardStep->value()));

  p.EPHHDelay = store(p.EPHHDelay, Ui->V_EPHHDelay, TenthsStored(Ui->V_EPHHDelay->value()));
  p.CalibrVolt = store(p.CalibrVolt, Ui->V_CalibrVolt, TenthsStored(Ui->V_CalibrVolt->value()));
  x.InjVoltageCorr = store(x.InjVoltageCorr, Ui->V_InjVoltageCorr, TenthsStored(Ui->V_InjVoltageCorr->value()));

  p.DTCold = store(p.DTCold, Ui->V_DTColdLevel, VoltageCountsStored(Ui->V_DTColdLevel->value()));
  p.DTHot = store(p.DTHot, Ui->V_DTHotLevel, VoltageCountsStored(Ui->V_DTHotLevel->value()));
  p.DadAtmo = store(p.DadAtmo, Ui->V_DAD_AtmoLevel, VoltageCountsStored(Ui->V_DAD_AtmoLevel->value()));
  p.DadFlow16 = store(p.DadFlow16, Ui->V_DAD_Offset16, VoltageCountsStored(Ui->V_DAD_Offset16->value()));
  p.DadFlow1 = store(p.DadFlow1, Ui->V_DAD_Offset1, VoltageCountsStored(Ui->V_DAD_Offset1->value()));

  p.DpkvTotal = store(p.DpkvTotal, Ui->V_DPKV_TOTAL, Ui->V_DPKV_TOTAL->value());
  p.DpkvNo = store(p.DpkvNo, Ui->V_DPKV_NO, Ui->V_DPKV_NO->value());
  p.StartAngle = store(p.StartAngle, Ui->V_StartAngle, Ui->V_StartAngle->value());
  p.TempCorrHH = store(p.TempCorrHH, Ui->V_DTHHon, Ui->V_DTHHon->value());
  x.KnockRecovery = store(x.KnockRecovery, Ui->V_DD_RecoveryTime, Ui->V_DD_RecoveryTime->value());
  x.AELevel = store(x.AELevel, Ui->V_AE_Level, Ui->V_AE_Level->value());
  x.AEMax = store(x.AEMax, Ui->V_AE_Max, Ui->V_AE_Max->value());
  x.AETime = store(x.AETime, Ui->V_AE_Time, Ui->V_AE_Time->value());

  // An unchecked buzzer box means that threshold is off.
  if (!Ui->C_BuzzTemp->isChecked())
    p.BuzzTemp = 0;
  else
    p.BuzzTemp = store(p.BuzzTemp, Ui->V_BuzzTempValue, Ui->V_BuzzTempValue->value());
  if (!Ui->C_BuzzNapr->isChecked())
    p.BuzzVolt = 0;
  else
    p.BuzzVolt = store(p.BuzzVolt, Ui->V_BuzzNaprValue, TenthsStored(Ui->V_BuzzNaprValue->value()));
  if (!Ui->C_BuzzRPM->isChecked())
    p.BuzzRpm = 0;
  else
    p.BuzzRpm = storePeriod(p.BuzzRpm, Ui->V_BuzzRPMValue);

  SetBit(p.IgnOptions, IgnMultispark, Ui->C_ManySpark->isChecked());
  SetBit(p.IgnOptions, IgnCorrectionIdleRpm, Ui->C_MaxUOZHH->isChecked());
  SetBit(p.IgnOptions, IgnStaticSpark, Ui->C_StaticSpark->isChecked());
  SetBit(p.IgnOptions, IgnInversionSwitch, Ui->C_EndInverse->isChecked());
  SetBit(p.SensorOptions, SensorEnableDT, Ui->C_EnableDT->isChecked());
  SetBit(p.SensorOptions, SensorEnableVoltmeter, Ui->C_EnableV->isChecked());
  SetBit(p.SensorOptions, SensorInvertSAI, Ui->C_InvertDUI->isChecked());
  SetBit(p.SensorOptions, SensorInvertSBR, Ui->C_InvertDNO->isChecked());
  SetBit(p.SensorOptions, SensorFase, Ui->C_FaseSensor->isChecked());
  SetBit(p.SensorOptions, SensorMode36_1, Ui->C_Mode36_1->isChecked());
  SetBit(p.SensorOptions, SensorKnock, Ui->C_KnockSensor->isChecked());
  SetBit(p.TempSensorOptions, TempSensorDigital, Ui->C_DigitalDT->isChecked());

  // A stored index beyond its list shows no entry; it is kept rather than replaced by 255.
  auto storeIndex = [](std::uint8_t &field, const QComboBox *list) {
    if (list->currentIndex() >= 0)
      field = std::uint8_t(list->currentIndex());
  };
  storeIndex(x.KnockFreq, Ui->V_DD_Freq);
  storeIndex(x.KnockGain, Ui->V_DD_Gain);
  storeIndex(x.KnockFilter, Ui->V_DD_Filter);

  // Byte 1 is written by the external-switch controls the moment they are clicked.
  Resync();
}

// ---- what the user changed since the last show or store -------------------------------------

void TParamsZolt::Show(QSpinBox *box, int value)
{
  box->setValue(value);
  Synced[box] = SSynced{double(box->value()), box->value() != value};
}

void TParamsZolt::Show(QDoubleSpinBox *box, double value)
{
  box->setValue(value);
  Synced[box] = SSynced{box->value(), value < box->minimum() || value > box->maximum()};
}

namespace {
double ValueOf(const QAbstractSpinBox *box)
{
  if (const auto *spin = qobject_cast<const QSpinBox *>(box))
    return spin->value();
  if (const auto *spin = qobject_cast<const QDoubleSpinBox *>(box))
    return spin->value();
  return 0;
}
}   // namespace

bool TParamsZolt::Touched(const QAbstractSpinBox *box) const
{
  const auto it = Synced.constFind(box);
  return it == Synced.cend() || it->MustWrite || ValueOf(box) != it->Value;
}

void TParamsZolt::MarkForWrite(const QAbstractSpinBox *box) { Synced[box].MustWrite = true; }

void TParamsZolt::Resync()
{
  for (auto it = Synced.begin(); it != Synced.end(); ++it)
    *it = SSynced{ValueOf(it.key()), false};
}

void TParamsZolt::SetBit(std::uint8_t &byte, std::uint8_t mask, bool set)
{
  byte = set ? std::uint8_t(byte | mask) : std::uint8_t(byte & ~mask);
}

void TParamsZolt::SetExtSwitchBit(std::uint8_t mask, bool set) { SetBit(Parameters->ExtSwitch, mask, set); }

// ---- dependency rules -----------------------------------------------------------------------

void TParamsZolt::C_MaxUOZHHClick(bool checked) { Ui->V_MaxUOZHH->setEnabled(checked); }

void TParamsZolt::C_KnockSensorClick(bool checked)
{
  Ui->PageControl->setTabVisible(Ui->PageControl->indexOf(Ui->KnockPage), checked);
}

void TParamsZolt::C_EnableLaunchClick(bool checked)
{
  Ui->V_Launch->setEnabled(checked);
  if (!checked)
    Ui->V_Launch->setValue(0);
  MarkForWrite(Ui->V_Launch);
}

void TParamsZolt::C_BuzzTempClick(bool checked)
{
  Ui->V_BuzzTempValue->setEnabled(checked);
  if (!checked)
    Ui->V_BuzzTempValue->setValue(0);
  MarkForWrite(Ui->V_BuzzTempValue);
}

void TParamsZolt::C_BuzzNaprClick(bool checked)
{
  Ui->V_BuzzNaprValue->setEnabled(checked);
  if (!checked)
    Ui->V_BuzzNaprValue->setValue(0);
  MarkForWrite(Ui->V_BuzzNaprValue);
}

void TParamsZolt::C_BuzzRPMClick(bool checked)
{
  Ui->V_BuzzRPMValue->setEnabled(checked);
  if (!checked)
    Ui->V_BuzzRPMValue->setValue(400);
  MarkForWrite(Ui->V_BuzzRPMValue);
}

void TParamsZolt::C_EnableDTClick(bool checked)
{
  Ui->C_DigitalDT->setEnabled(checked);
  Ui->C_CorrHHonT->setEnabled(checked);
  Ui->V_DTHHon->setEnabled(checked);
  C_DigitalDTClick(Ui->C_DigitalDT->isChecked());
  Ui->C_DigitalDT->setChecked(false);
}

void TParamsZolt::C_DigitalDTClick(bool checked)
{
  // The analog levels matter only with an analog sensor present; enabling them while the sensor
  // is switched off would suggest they are in use.
  const bool analog = Ui->C_EnableDT->isChecked() && !checked;
  Ui->V_DTColdLevel->setEnabled(analog);
  Ui->V_DTHotLevel->setEnabled(analog);
}

void TParamsZolt::C_Ext2CheckClick(bool checked)
{
  SetExtSwitchBit(ExtSwitch1Unused, !checked);
  Ui->Ext2Group->setEnabled(!checked);
}

void TParamsZolt::C_Ext1CheckClick(bool checked)
{
  SetExtSwitchBit(ExtSwitch2Unused, !checked);
  Ui->Ext1Group->setEnabled(!checked);
}

void TParamsZolt::Ext2GroupClick(bool lpg) { SetExtSwitchBit(ExtFixedLpg, lpg); }

void TParamsZolt::Ext1GroupClick(bool curve2) { SetExtSwitchBit(ExtFixedCurve2, curve2); }

void TParamsZolt::V_CylCountChange(int index)
{
  if (index == CylCountIndex)
    return;
  CylCountIndex = index;
  TPrompts::Instance().Inform(this, tr("Attention."), tr("Warning, change cylinder count."));
}

void TParamsZolt::EPHHModeClick(bool checked)
{
  Ui->EPHHName->setEnabled(checked);
  Ui->EPHHOff->setEnabled(checked);
  Ui->EPHHOn->setEnabled(checked && Ui->EPHHName->currentIndex() != EphhStrob);
}

void TParamsZolt::EPHHNameChange(int index)
{
  const bool strob = index == EphhStrob;
  Ui->L_EPHHName->setText(strob ? Ui->EPHHName->itemText(index) : tr("Signal"));
  switch (index) {
  case EphhStrob:
    Ui->EPHHOff->setRange(1, 4);
    Ui->EPHHOn->setRange(0, 0);
    break;
  case EphhRpm:
    Ui->EPHHOff->setRange(400, 2500);
    Ui->EPHHOn->setRange(400, 2500);
    break;
  case EphhFlow:
    Ui->EPHHOff->setRange(1, 16);
    Ui->EPHHOn->setRange(1, 16);
    break;
  case EphhTemperature:
    Ui->EPHHOff->setRange(-40, 125);
    Ui->EPHHOn->setRange(-40, 125);
    break;
  case EphhVoltage:
    Ui->EPHHOff->setRange(2, 15);
    Ui->EPHHOn->setRange(2, 15);
    break;
  default:
    break;
  }
  Ui->EPHHOn->setEnabled(Ui->EPHHMode->isChecked() && !strob);
}

void TParamsZolt::ModePanelChange(QComboBox *name, QDoubleSpinBox *data)
{
  switch (name->currentIndex()) {
  case PanelFlow:
    data->setRange(1, 16);
    break;
  case PanelTemperature:
    data->setRange(-40, 125);
    break;
  case PanelRpm:
    // No upper limit in practice: far beyond any engine speed.
    data->setRange(400, 99999.9);
    break;
  case PanelVoltage:
    data->setRange(2, 15);
    break;
  default:
    break;
  }
}

void TParamsZolt::AUXModeClick(bool checked)
{
  Ui->AUXName->setEnabled(checked);
  Ui->AUXData->setEnabled(checked);
  Ui->AUXActive->setEnabled(checked);
  AUXNameChange(Ui->AUXName->currentIndex());
}

void TParamsZolt::AUXNameChange(int) { ModePanelChange(Ui->AUXName, Ui->AUXData); }

void TParamsZolt::DH4ModeClick(bool checked)
{
  Ui->DH4Name->setEnabled(checked);
  Ui->DH4Data->setEnabled(checked);
  Ui->DH4Active->setEnabled(checked);
  DH4NameChange(Ui->DH4Name->currentIndex());
}

void TParamsZolt::DH4NameChange(int) { ModePanelChange(Ui->DH4Name, Ui->DH4Data); }
