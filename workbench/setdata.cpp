#include "setdata.h"

#include "ui_setdata.h"

#include "calibration.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>
#include <cmath>

QValidator::State TValueSpin::validate(QString &input, int &pos) const
{
  const QValidator::State state = QDoubleSpinBox::validate(input, pos);
  if (state != QValidator::Invalid)
    return state;
  bool ok = false;
  locale().toDouble(input.trimmed(), &ok);
  return ok ? QValidator::Intermediate : QValidator::Invalid;
}

void TValueSpin::fixup(QString &input) const
{
  bool ok = false;
  const double typed = locale().toDouble(input.trimmed(), &ok);
  input = textFromValue(ok ? std::clamp(typed, minimum(), maximum()) : value());
}

double TValueSpin::Current() const
{
  bool ok = false;
  const double typed = locale().toDouble(cleanText().trimmed(), &ok);
  const double x = std::clamp(ok ? typed : value(), minimum(), maximum());
  // One decimal, as the field shows it; a limit itself is kept exactly.
  const double rounded = std::round(x * 10.0) / 10.0;
  return std::clamp(rounded, minimum(), maximum());
}

TSetData::TSetData(QWidget *owner, const TBaseClass *node) : QDialog(owner), Ui(std::make_unique<Ui::TSetData>())
{
  Ui->setupUi(this);
  setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
  if (node) {
    Ui->Data->setRange(node->GetMin(), node->GetMax());
    Ui->Data->setSingleStep(node->GetStep());
  }
  Ui->Data->setValue(0.0);
  connect(Ui->Good, &QPushButton::clicked, this, &TSetData::GoodClick);
  connect(Ui->Abort, &QPushButton::clicked, this, &TSetData::AbortClick);
  Ui->Data->setFocus();
  Ui->Data->selectAll();
}

TSetData::~TSetData() = default;

double TSetData::GetValue() const { return Ui->Data->Current(); }

void TSetData::GoodClick()
{
  Ui->Data->setValue(Ui->Data->Current());
  accept();
}

void TSetData::AbortClick()
{
  Ui->Data->setValue(0.0);
  reject();
}

// Only the two buttons close the dialog: Enter and Escape do nothing here.
void TSetData::keyPressEvent(QKeyEvent *event)
{
  switch (event->key()) {
  case Qt::Key_Escape:
  case Qt::Key_Enter:
  case Qt::Key_Return:
    event->accept();
    return;
  default:
    QDialog::keyPressEvent(event);
  }
}

void TSetData::changeEvent(QEvent *event)
{
  if (event->type() == QEvent::LanguageChange)
    Ui->retranslateUi(this);
  QDialog::changeEvent(event);
}
