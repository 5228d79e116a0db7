#pragma once
// TLoadUOZ: the dialog through which every calibration file is loaded. The user picks what to
// take; the choices live in the enabled flags of the model's flows, as the readers expect them.

#include "calibrationfiles.h"

#include <QDialog>
#include <QString>
#include <memory>

namespace Ui {
class TLoadUOZ;
}

class TAllCalibration;
class TMessages;

class TLoadUOZ : public QDialog {
  Q_OBJECT
public:
  TLoadUOZ(QWidget *owner, TMessages *messages, std::uint8_t *paramsExt, std::uint8_t *params,
           TAllCalibration *calibrations, const QString &fileName);
  ~TLoadUOZ() override;

  void UOZNumChange();
  void CheckRash(bool state);
  void HARSelectClick();
  void LoadUOZBClick();

  // What the dialog's choices make of the selection the readers take.
  SLoadSelection Selection() const;
  // Whether the last load took the parameter blocks.
  bool LoadedParameters() const { return ParametersLoaded; }

private:
  int SourceIndex() const;
  int TargetIndex() const;
  void BindCurveBox(class QCheckBox *box, int other);

  std::unique_ptr<Ui::TLoadUOZ> Ui;
  TMessages *Messages;
  std::uint8_t *ParamsExt;
  std::uint8_t *Params;
  TAllCalibration *Calibrations;
  QString FileName;
  ECalibrationFileType Type;
  bool ParametersLoaded = false;
};
