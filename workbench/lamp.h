#pragma once
// TLamp: a status lamp, a small circle filled red while its flag is set and white otherwise.

#include <QColor>
#include <QWidget>

class TLamp : public QWidget {
  Q_OBJECT
public:
  explicit TLamp(QWidget *parent = nullptr);

  void SetLit(bool lit);
  bool IsLit() const { return Lit; }
  QColor FillColor() const { return Lit ? QColor(Qt::red) : QColor(Qt::white); }

  QSize sizeHint() const override { return {11, 12}; }

protected:
  void paintEvent(QPaintEvent *event) override;

private:
  bool Lit = false;
};
