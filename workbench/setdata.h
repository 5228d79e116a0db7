#pragma once
// TSetData: the small modal dialog that asks for one number for a flow or a calibration — the
// value "Set values" writes into every point, or the amount "Change values" adds. Its field takes
// the limits and the step of the object it is opened for.

#include <QDialog>
#include <QDoubleSpinBox>
#include <memory>

namespace Ui {
class TSetData;
}

class TBaseClass;

// A numeric field that lets a number outside its limits be typed and brings it back within them
// when it is read, so a typed 75 on a 0 .. 60 field reads as 60 instead of being swallowed.
class TValueSpin : public QDoubleSpinBox {
  Q_OBJECT
public:
  using QDoubleSpinBox::QDoubleSpinBox;
  QValidator::State validate(QString &input, int &pos) const override;
  void fixup(QString &input) const override;
  // The typed text as a number within the limits, to one decimal.
  double Current() const;
};

class TSetData : public QDialog {
  Q_OBJECT
public:
  TSetData(QWidget *owner, const TBaseClass *node);
  ~TSetData() override;

  // The field's value, within the limits. Read it after the modal loop ends; exec() answers
  // Accepted only when "Apply" closed the dialog.
  double GetValue() const;

  void GoodClick();
  void AbortClick();

protected:
  void keyPressEvent(QKeyEvent *event) override;
  void changeEvent(QEvent *event) override;

private:
  std::unique_ptr<Ui::TSetData> Ui;
};
