#include "analoggauge.h"

#include <QEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

QPointF Polar(const QPointF &centre, double radius, double degrees)
{
  const double a = degrees * std::numbers::pi / 180.0;
  return {centre.x() + radius * std::cos(a), centre.y() - radius * std::sin(a)};
}

QFont PixelFont(double pixels, bool bold)
{
  QFont font;
  font.setPixelSize(std::max(7, int(std::lround(pixels))));
  font.setBold(bold);
  return font;
}

}   // namespace

TAnalogGauge::TAnalogGauge(QWidget *parent) : QWidget(parent)
{
  // Every pixel is painted from the face pixmap: nothing needs erasing first.
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TAnalogGauge::SetSettings(const SGaugeSettings &settings)
{
  Set = settings;
  FaceCache = QPixmap();
  update();
}

void TAnalogGauge::SetPosition(double value)
{
  if (value == Value || (std::isnan(value) && std::isnan(Value)))
    return;
  Value = value;
  update();
}

QColor TAnalogGauge::FaceColor() const
{
  if (IsOverScale())
    return Set.OverScaleFace;
  return Set.Face.isValid() ? Set.Face : palette().color(QPalette::Button);
}

QString TAnalogGauge::ValueText() const
{
  if (!std::isfinite(Value))
    return QStringLiteral("---");
  if (Value == 0.0)
    return QStringLiteral("0");
  return QString::number(Value, 'f', Value == std::trunc(Value) ? 0 : 1);
}

double TAnalogGauge::NeedleValue() const
{
  if (std::isnan(Value))
    return Set.ScaleStart;
  return std::clamp(Value, std::min(Set.ScaleStart, Set.ScaleEnd), std::max(Set.ScaleStart, Set.ScaleEnd));
}

QStringList TAnalogGauge::TickLabels() const
{
  QStringList labels;
  const int n = std::max(1, Set.MainTicks);
  bool whole = true;
  for (int i = 0; i <= n; ++i) {
    const double v = Set.ScaleStart + (Set.ScaleEnd - Set.ScaleStart) * i / n;
    whole = whole && std::abs(v - std::round(v)) < 1e-9;
    labels << QString::number(std::abs(v) < 1e-9 ? 0.0 : v, 'f', std::max(0, Set.TickDecimals));
  }
  // "55.0" next to "60.0" says nothing "55" does not, and crowds a small scale: when every label
  // is a whole number the decimals are left off.
  if (whole)
    for (QString &label : labels)
      label = label.section(QLatin1Char('.'), 0, 0);
  return labels;
}

double TAnalogGauge::AngleOf(double value) const
{
  const double span = Set.ScaleEnd - Set.ScaleStart;
  double f = span == 0.0 ? 0.0 : (value - Set.ScaleStart) / span;
  f = std::clamp(f, 0.0, 1.0);
  return 90.0 + Set.Sweep / 2.0 - f * Set.Sweep;
}

TAnalogGauge::SGeometry TAnalogGauge::Geometry() const
{
  SGeometry g;
  const double side = std::min(width(), height());
  g.Scale = side / DesignSize;
  g.Centre = QPointF(width() / 2.0, height() / 2.0);
  // Outer edge of the bezel, less the bezel (6) and the margin.
  g.Radius = side / 2.0 - 1.0 - 6.0 * g.Scale - Set.Margin * g.Scale;
  return g;
}

void TAnalogGauge::BuildFace()
{
  const qreal ratio = devicePixelRatioF();
  FaceCache = QPixmap(size() * ratio);
  FaceCache.setDevicePixelRatio(ratio);
  FaceCache.fill(palette().color(QPalette::Window));
  FaceCacheOverScale = IsOverScale();
  QPainter painter(&FaceCache);
  DrawFace(painter, Geometry());
}

void TAnalogGauge::DrawFace(QPainter &painter, const SGeometry &g) const
{
  painter.setRenderHint(QPainter::Antialiasing, Set.AntiAliased);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  const double k = g.Scale;
  const QPointF c = g.Centre;
  const double outer = g.Radius + Set.Margin * k + 6.0 * k;
  const double faceRadius = g.Radius + Set.Margin * k;

  // Bezel: lit from the top left, so the face sits in a shallow well.
  QLinearGradient bezel(c - QPointF(outer, outer), c + QPointF(outer, outer));
  bezel.setColorAt(0.0, QColor(250, 250, 250));
  bezel.setColorAt(1.0, QColor(90, 90, 90));
  painter.setPen(Qt::NoPen);
  painter.setBrush(bezel);
  painter.drawEllipse(c, outer, outer);
  QLinearGradient rim(c - QPointF(faceRadius, faceRadius), c + QPointF(faceRadius, faceRadius));
  rim.setColorAt(0.0, QColor(80, 80, 80));
  rim.setColorAt(1.0, QColor(235, 235, 235));
  painter.setBrush(rim);
  painter.drawEllipse(c, faceRadius + 1.5 * k, faceRadius + 1.5 * k);
  const QColor face = IsOverScale() ? Set.OverScaleFace : (Set.Face.isValid() ? Set.Face : palette().color(QPalette::Button));
  painter.setBrush(face);
  painter.setPen(QPen(Set.MarginColor, std::max(1.0, k)));
  painter.drawEllipse(c, faceRadius, faceRadius);

  // Zones along the scale's outer edge, under the ticks.
  const double bandWidth = std::max(3.0, 5.0 * k);
  const double bandRadius = g.Radius - bandWidth / 2.0;
  const QRectF bandRect(c.x() - bandRadius, c.y() - bandRadius, 2 * bandRadius, 2 * bandRadius);
  auto zone = [&](double from, double to, const QColor &colour) {
    from = std::clamp(from, Set.ScaleStart, Set.ScaleEnd);
    to = std::clamp(to, Set.ScaleStart, Set.ScaleEnd);
    if (to <= from)
      return;
    const double a1 = AngleOf(to), a2 = AngleOf(from);
    painter.setPen(QPen(colour, bandWidth, Qt::SolidLine, Qt::FlatCap));
    painter.drawArc(bandRect, int(std::lround(a1 * 16)), int(std::lround((a2 - a1) * 16)));
  };
  zone(Set.ScaleStart, Set.GreenEnd, Set.ZoneGreen);
  zone(Set.GreenEnd, Set.YellowEnd, Set.ZoneYellow);
  zone(Set.YellowEnd, Set.ScaleEnd, Set.ZoneRed);

  // Ticks.
  const int mains = std::max(1, Set.MainTicks);
  const int subs = std::max(1, Set.SubTicks);
  painter.setPen(QPen(Set.Ticks, std::max(1.0, 0.8 * k), Qt::SolidLine, Qt::FlatCap));
  for (int i = 0; i < mains * subs; ++i) {
    if (i % subs == 0)
      continue;
    const double a = 90.0 + Set.Sweep / 2.0 - Set.Sweep * i / (mains * subs);
    painter.drawLine(Polar(c, g.Radius, a), Polar(c, g.Radius - Set.SubTickLength * k, a));
  }
  painter.setPen(QPen(Set.Ticks, std::max(1.5, 2.0 * k), Qt::SolidLine, Qt::FlatCap));
  for (int i = 0; i <= mains; ++i) {
    const double a = 90.0 + Set.Sweep / 2.0 - Set.Sweep * i / mains;
    painter.drawLine(Polar(c, g.Radius, a), Polar(c, g.Radius - Set.MainTickLength * k, a));
  }

  // Labels, centred on their tick, inside the tick ring.
  const QStringList labels = TickLabels();
  // Long labels on a crowded scale get a smaller font rather than touch each other.
  QFont labelFont = PixelFont(10.5 * k, false);
  {
    const QFontMetricsF metrics(labelFont);
    double widest = 0;
    for (const QString &label : labels)
      widest = std::max(widest, metrics.horizontalAdvance(label));
    const double labelRadius = g.Radius - Set.MainTickLength * k - 3.0 * k - metrics.height();
    const double spacing = 2.0 * labelRadius * std::sin(Set.Sweep / mains / 2.0 * std::numbers::pi / 180.0);
    if (widest > 0.85 * spacing && widest > 0)
      labelFont = PixelFont(std::max(8.5 * k, labelFont.pixelSize() * 0.85 * spacing / widest), false);
  }
  painter.setFont(labelFont);
  painter.setPen(Set.Values);
  const QFontMetricsF labelMetrics(labelFont);
  for (int i = 0; i <= mains; ++i) {
    const double a = 90.0 + Set.Sweep / 2.0 - Set.Sweep * i / mains;
    const double w = labelMetrics.horizontalAdvance(labels[i]);
    const double h = labelMetrics.height();
    // Push wide labels further in where they lie sideways.
    const double inset = Set.MainTickLength * k + 3.0 * k + h / 2.0 +
                         (w / 2.0 - h / 2.0) * std::abs(std::cos(a * std::numbers::pi / 180.0));
    const QPointF at = Polar(c, g.Radius - inset, a);
    painter.drawText(QRectF(at.x() - w / 2.0 - 2, at.y() - h / 2.0, w + 4, h), Qt::AlignCenter, labels[i]);
  }

  // Caption above the hub, unit below it.
  painter.setPen(Set.CaptionColor);
  const QFont captionFont = PixelFont(13.0 * k, true);
  painter.setFont(captionFont);
  const double captionHeight = QFontMetricsF(captionFont).height();
  painter.drawText(QRectF(c.x() - g.Radius, c.y() - 0.36 * g.Radius - captionHeight / 2.0, 2 * g.Radius, captionHeight),
                   Qt::AlignCenter, Set.Caption);
  if (!Set.Unit.isEmpty()) {
    const QFont unitFont = PixelFont(11.0 * k, false);
    painter.setFont(unitFont);
    const double unitHeight = QFontMetricsF(unitFont).height();
    painter.drawText(QRectF(c.x() - g.Radius, c.y() + 0.24 * g.Radius - unitHeight / 2.0, 2 * g.Radius, unitHeight),
                     Qt::AlignCenter, Set.Unit);
  }

  // The readout's well in the gap at the bottom of the scale.
  const QRectF readout = ReadoutRect;
  painter.setPen(QPen(QColor(110, 110, 110), std::max(1.0, k)));
  painter.setBrush(QColor(252, 252, 246));
  painter.drawRoundedRect(readout, 3 * k, 3 * k);
}

void TAnalogGauge::Paint(QPainter &painter)
{
  const SGeometry g = Geometry();
  const double k = g.Scale;
  if (FaceCache.isNull() || FaceCache.size() != size() * devicePixelRatioF() || FaceCacheOverScale != IsOverScale()) {
    ReadoutFont = PixelFont(15.0 * k, true);
    const double h = QFontMetricsF(ReadoutFont).height() + 2.0 * k;
    const double w = 0.78 * g.Radius;
    ReadoutRect = QRectF(g.Centre.x() - w / 2.0, g.Centre.y() + 0.68 * g.Radius - h / 2.0, w, h);
    BuildFace();
  }
  painter.drawPixmap(0, 0, FaceCache);

  painter.setRenderHint(QPainter::Antialiasing, Set.AntiAliased);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  painter.setFont(ReadoutFont);
  painter.setPen(Set.Values);
  painter.drawText(ReadoutRect, Qt::AlignCenter, ValueText());

  // Needle with a short tail through the hub.
  const double a = AngleOf(NeedleValue());
  const QPointF c = g.Centre;
  painter.setPen(QPen(Set.Arrow, std::max(1.5, Set.ArrowWidth * k), Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(Polar(c, -0.16 * g.Radius, a), Polar(c, g.Radius - 3.0 * k, a));
  painter.setPen(Qt::NoPen);
  painter.setBrush(Set.Center);
  painter.drawEllipse(c, Set.CenterRadius * k, Set.CenterRadius * k);
  painter.setBrush(Set.Circle);
  painter.drawEllipse(c, Set.CircleRadius * k, Set.CircleRadius * k);
}

void TAnalogGauge::paintEvent(QPaintEvent *)
{
  QPainter painter(this);
  Paint(painter);
}

void TAnalogGauge::resizeEvent(QResizeEvent *event)
{
  FaceCache = QPixmap();
  QWidget::resizeEvent(event);
}

void TAnalogGauge::changeEvent(QEvent *event)
{
  if (event->type() == QEvent::PaletteChange || event->type() == QEvent::FontChange)
    FaceCache = QPixmap();
  QWidget::changeEvent(event);
}
