#include "loaduoz.h"

#include "calibration.h"
#include "loaddefaults.h"
#include "messages.h"
#include "prompts.h"
#include "ui_loaduoz.h"

#include <QListWidgetItem>

TLoadUOZ::TLoadUOZ(QWidget *owner, TMessages *messages, std::uint8_t *paramsExt, std::uint8_t *params,
                   TAllCalibration *calibrations, const QString &fileName)
    : QDialog(owner), Ui(std::make_unique<Ui::TLoadUOZ>()), Messages(messages), ParamsExt(paramsExt), Params(params),
      Calibrations(calibrations), FileName(fileName), Type(CalibrationFileType(fileName))
{
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint);
  Ui->setupUi(this);
  for (int k = 1; k <= 16; ++k) {
    auto *item = new QListWidgetItem(tr("Flow №%1").arg(k), Ui->RashListBox);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
  }
  BindCurveBox(Ui->LoadPusk, 0);
  BindCurveBox(Ui->LoadHH, 1);
  BindCurveBox(Ui->LoadCharge, 2);
  BindCurveBox(Ui->LoadTemp, 3);
  BindCurveBox(Ui->KnockCurve, 4);
  BindCurveBox(Ui->StartInj, 5);
  BindCurveBox(Ui->IddleInjCorr, 6);
  BindCurveBox(Ui->TimeInjCorrOnTemp, 7);

  const SLoadDefaults defaults = DefaultLoad(Type);
  ApplyLoadFlags(*Calibrations, defaults.OthersTaken);
  Ui->UOZNum->clear();
  Ui->UOZNum->setEnabled(defaults.SourceChoice);
  if (!defaults.SourceChoice) {
    Ui->UOZNum->addItem(QStringLiteral("KVTD-RL"));   // stands for work calibration 0
  } else {
    for (int i = 0; i < Calibrations->WorkCount(); ++i) {
      const TCalibration *c = Calibrations->GetCalibration(0, i);
      // A *.zf2 file offers all six maps; the other types hold ignition maps only.
      if (Type == ECalibrationFileType::Zf2 || c->Kind() == TCalibration::IgnitionMap)
        Ui->UOZNum->addItem(c->Name());
    }
  }
  QCheckBox *const curveBoxes[8] = {Ui->LoadPusk, Ui->LoadHH, Ui->LoadCharge, Ui->LoadTemp,
                                    Ui->KnockCurve, Ui->StartInj, Ui->IddleInjCorr, Ui->TimeInjCorrOnTemp};
  for (std::size_t k = 0; k < 8; ++k) {
    curveBoxes[k]->setEnabled(defaults.OthersOffered[k]);
    curveBoxes[k]->setChecked(defaults.OthersTaken[k]);
  }
  Ui->ParamSys->setEnabled(defaults.ParametersOffered);
  Ui->ParamSys->setChecked(defaults.Selection.Parameters);
  Ui->HARSelect->setEnabled(true);
  Ui->HARSelect->setChecked(defaults.Selection.CopyMode);
  HARSelectClick();
  // In a *.kvd file there is one map only: copy mode cannot be left.
  Ui->HARSelect->setEnabled(defaults.SourceChoice);
  Ui->UOZNum->setCurrentIndex(0);
  UOZNumChange();

  connect(Ui->UOZNum, &QComboBox::currentIndexChanged, this, &TLoadUOZ::UOZNumChange);
  connect(Ui->RashListBox, &QListWidget::itemChanged, this, [this](QListWidgetItem *item) {
    if (TFlow *flow = Calibrations->GetCalibration(0, SourceIndex())->Flow(Ui->RashListBox->row(item)))
      flow->SetEnabled(item->checkState() == Qt::Checked);
  });
  connect(Ui->RashSelectAll, &QPushButton::clicked, this, [this] { CheckRash(true); });
  connect(Ui->RashNoAll, &QPushButton::clicked, this, [this] { CheckRash(false); });
  connect(Ui->HARSelect, &QCheckBox::clicked, this, &TLoadUOZ::HARSelectClick);
  connect(Ui->LoadUOZB, &QPushButton::clicked, this, &TLoadUOZ::LoadUOZBClick);
  setFixedSize(sizeHint());
}

TLoadUOZ::~TLoadUOZ() = default;

void TLoadUOZ::BindCurveBox(QCheckBox *box, int other)
{
  // A state changed by the dialog's own code counts like a click.
  connect(box, &QCheckBox::toggled, this, [this, other](bool checked) {
    Calibrations->GetCalibration(1, other)->SetEnabled(checked);
  });
}

int TLoadUOZ::SourceIndex() const
{
  // The list holds the work calibrations in model order (or only the ignition maps, which come
  // first); "KVTD-RL" stands for work calibration 0.
  return std::max(0, Ui->UOZNum->currentIndex());
}

int TLoadUOZ::TargetIndex() const
{
  const QString name = Ui->UOZNum1->currentText();
  for (int i = 0; i < Calibrations->WorkCount(); ++i)
    if (Calibrations->GetCalibration(0, i)->Name() == name)
      return i;
  return SourceIndex();
}

void TLoadUOZ::UOZNumChange()
{
  const TCalibration *source = Calibrations->GetCalibration(0, SourceIndex());
  Ui->UOZNum1->clear();
  for (int i = 0; i < Calibrations->WorkCount(); ++i) {
    const TCalibration *c = Calibrations->GetCalibration(0, i);
    if (c->Kind() == source->Kind())
      Ui->UOZNum1->addItem(c->Name());
  }
  Ui->UOZNum1->setCurrentIndex(0);
  const QSignalBlocker block(Ui->RashListBox);
  for (int k = 0; k < Ui->RashListBox->count(); ++k) {
    const TFlow *flow = source->Flow(k);
    Ui->RashListBox->item(k)->setCheckState(flow && flow->IsEnabled() ? Qt::Checked : Qt::Unchecked);
  }
}

void TLoadUOZ::CheckRash(bool state)
{
  TCalibration *source = Calibrations->GetCalibration(0, SourceIndex());
  const QSignalBlocker block(Ui->RashListBox);
  for (int k = 0; k < Ui->RashListBox->count(); ++k) {
    Ui->RashListBox->item(k)->setCheckState(state ? Qt::Checked : Qt::Unchecked);
    if (TFlow *flow = source->Flow(k))
      flow->SetEnabled(state);
  }
}

void TLoadUOZ::HARSelectClick()
{
  const bool copy = Ui->HARSelect->isChecked();
  Ui->UOZNum1->setEnabled(copy);
  Ui->UOZNum->setEnabled(!copy && Type != ECalibrationFileType::Kvd);
}

SLoadSelection TLoadUOZ::Selection() const
{
  SLoadSelection s;
  s.CopyMode = Ui->HARSelect->isChecked();
  s.Source = SourceIndex();
  s.Target = TargetIndex();
  s.Start = Ui->LoadPusk->isChecked();
  s.Idle = Ui->LoadHH->isChecked();
  s.Temperature = Ui->LoadTemp->isChecked();
  s.CoilCharge = Ui->LoadCharge->isChecked();
  s.Parameters = Ui->ParamSys->isEnabled() && Ui->ParamSys->isChecked();
  return s;
}

void TLoadUOZ::LoadUOZBClick()
{
  TPrompts &prompts = TPrompts::Instance();
  const SLoadSelection selection = Selection();
  QByteArray bytes;
  QString error;
  if (!ReadFileBytes(FileName, bytes, error)) {
    // Nothing loaded; the dialog stays open so the user can try again or close it.
    prompts.Inform(this, tr("Load calibrations"), error);
    return;
  }
  SLoadResult result;
  if (Type == ECalibrationFileType::Unknown)
    result = SLoadResult{ELoadStatus::WrongFile, WrongFileText()};
  else
    result = ReadCalibrationData(Type, bytes, *Calibrations, Params, ParamsExt, selection);
  ParametersLoaded = selection.Parameters &&
                     (result.Status == ELoadStatus::Ok || result.Status == ELoadStatus::Damaged);
  if (!result.IsOk())
    prompts.Inform(this, tr("Load calibrations"), result.Message);
  EnableAllFlows(*Calibrations);
  Messages->BroadcastCalibrationChanged(TMessages::EDelivery::Post);
  accept();
}
