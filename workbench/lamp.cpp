#include "lamp.h"

#include <QPainter>

TLamp::TLamp(QWidget *parent) : QWidget(parent) { setFixedSize(11, 12); }

void TLamp::SetLit(bool lit)
{
  if (lit == Lit)
    return;
  Lit = lit;
  update();
}

void TLamp::paintEvent(QPaintEvent *)
{
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(FillColor());
  painter.drawEllipse(QRectF(0.5, 1.0, width() - 1.0, height() - 2.0));
}
