#pragma once
// TParamsZolt: the window "Parameters", where the technician views and changes the ECU's two
// parameter blocks. It works on the main window's blocks directly and keeps no copy of its own:
// ShowParams copies the blocks into the controls, StoreParams copies the controls back.

#include "params.h"

#include <QDoubleSpinBox>
#include <QHash>
#include <QSpinBox>
#include <QWidget>
#include <memory>

namespace Ui {
class TParamsZolt;
}

class QAbstractSpinBox;
class QCheckBox;

// Spin edits that crop a typed number to their range when editing ends. The plain Qt boxes
// refuse the keystroke that leaves the range, so "30000" typed into 400..13000 became 3000.
class TCropSpinBox : public QSpinBox {
  Q_OBJECT
public:
  using QSpinBox::QSpinBox;
  QValidator::State validate(QString &input, int &pos) const override;
  void fixup(QString &input) const override;
};

class TCropDoubleSpinBox : public QDoubleSpinBox {
  Q_OBJECT
public:
  using QDoubleSpinBox::QDoubleSpinBox;
  QValidator::State validate(QString &input, int &pos) const override;
  void fixup(QString &input) const override;
};

class TParamsZolt : public QWidget {
  Q_OBJECT
public:
  // The blocks stay the caller's; they must outlive the window. The window is a top-level,
  // frees itself when closed, and stores the controls into the blocks as it closes.
  TParamsZolt(SParams *parameters, SParamsExt *extraParameters, QWidget *parent = nullptr);
  ~TParamsZolt() override;

  // Blocks -> controls. Call it whenever the blocks were replaced behind the window (a read from
  // the ECU, a calibration file loaded with its parameters), or closing would write the controls
  // over the new values. Zeros in the cylinder count, speed limit and both tooth counts are
  // replaced by their fixed defaults in the block as well.
  void ShowParams();
  // Controls -> blocks. A value the user has not changed since the last show or store leaves its
  // field as it is, so values a control can only show rounded (periods, voltage counts) survive.
  void StoreParams();

  // Dependency rules, run by a click and by ShowParams changing a box's state.
  void C_MaxUOZHHClick(bool checked);
  void C_KnockSensorClick(bool checked);
  void C_EnableLaunchClick(bool checked);
  void C_BuzzTempClick(bool checked);
  void C_BuzzNaprClick(bool checked);
  void C_BuzzRPMClick(bool checked);
  void C_EnableDTClick(bool checked);
  void C_DigitalDTClick(bool checked);
  void C_Ext2CheckClick(bool checked);
  void C_Ext1CheckClick(bool checked);
  void Ext2GroupClick(bool lpg);
  void Ext1GroupClick(bool curve2);
  void V_CylCountChange(int index);
  void EPHHModeClick(bool checked);
  void EPHHNameChange(int index);
  void AUXModeClick(bool checked);
  void AUXNameChange(int index);
  void DH4ModeClick(bool checked);
  void DH4NameChange(int index);

protected:
  void closeEvent(QCloseEvent *event) override;
  void changeEvent(QEvent *event) override;

private:
  struct SSynced {
    double Value = 0;        // what the box showed after the last show or store
    bool MustWrite = false;  // cropped when shown, or its check box was switched since
  };

  void Show(QSpinBox *box, int value);
  void Show(QDoubleSpinBox *box, double value);
  bool Touched(const QAbstractSpinBox *box) const;
  void MarkForWrite(const QAbstractSpinBox *box);
  void Resync();
  void SetExtSwitchBit(std::uint8_t mask, bool set);
  static void SetBit(std::uint8_t &byte, std::uint8_t mask, bool set);
  void ModePanelChange(class QComboBox *name, QDoubleSpinBox *data);

  std::unique_ptr<Ui::TParamsZolt> Ui;
  SParams *const Parameters;
  SParamsExt *const ExtraParameters;
  QHash<const QAbstractSpinBox *, SSynced> Synced;
  int CylCountIndex = -1;   // the entry last shown or chosen, so choosing it again says nothing
};
