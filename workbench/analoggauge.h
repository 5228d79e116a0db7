#pragma once
// TAnalogGauge: a round instrument. A scale over the sweep with three coloured zones, labelled
// main ticks and sub-ticks, caption and unit on the face, the value printed in a readout and a
// needle that stays within the scale. Above the scale end the face turns fuchsia.
//
// The face (everything but the needle and the readout) is drawn once into a pixmap and reused
// until the size or the settings change, so a repaint at the live-data rate costs a pixmap copy,
// one line and one text.

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QString>
#include <QWidget>

struct SGaugeSettings {
  QString Caption;
  QString Unit;
  double ScaleStart = 0.0;
  double ScaleEnd = 100.0;
  double GreenEnd = 60.0;    // green from the scale start up to here
  double YellowEnd = 80.0;   // yellow up to here, red above
  int MainTicks = 10;        // intervals between labelled ticks
  int SubTicks = 5;          // intervals between sub-ticks within one main interval
  int TickDecimals = 0;
  double Sweep = 270.0;      // degrees, symmetric about the top
  // Lengths at the design size of 190 pixels; they scale with the gauge.
  int ArrowWidth = 2;
  int MainTickLength = 15;
  int SubTickLength = 8;
  int Margin = 5;
  int CenterRadius = 5;
  int CircleRadius = 3;
  QColor ZoneGreen = QColor(0, 160, 0);
  QColor ZoneYellow = QColor(240, 200, 0);
  QColor ZoneRed = QColor(220, 0, 0);
  QColor Face;               // invalid: the palette's button face
  QColor OverScaleFace = QColor(255, 0, 255);
  QColor Ticks = Qt::black;
  QColor Values = Qt::black;
  QColor CaptionColor = Qt::black;
  QColor Arrow = Qt::black;
  QColor MarginColor = Qt::black;
  QColor Center = Qt::gray;
  QColor Circle = Qt::blue;
  bool AntiAliased = true;
};

class TAnalogGauge : public QWidget {
  Q_OBJECT
  Q_PROPERTY(double position READ Position WRITE SetPosition)
public:
  static constexpr int DesignSize = 190;

  explicit TAnalogGauge(QWidget *parent = nullptr);

  void SetSettings(const SGaugeSettings &settings);
  const SGaugeSettings &Settings() const { return Set; }

  // The value shown; the needle stops at the scale ends, the readout does not.
  void SetPosition(double value);
  double Position() const { return Value; }

  // What the face shows now, for the dashboard and its tests.
  bool IsOverScale() const { return Value > Set.ScaleEnd; }
  QColor FaceColor() const;
  QString ValueText() const;
  double NeedleValue() const;
  // The tick label texts, from the scale start.
  QStringList TickLabels() const;

  // Paints the whole gauge into a painter; paintEvent calls it, benchmarks time it.
  void Paint(QPainter &painter);

  QSize sizeHint() const override { return {DesignSize, DesignSize + 5}; }
  QSize minimumSizeHint() const override { return {60, 60}; }

protected:
  void paintEvent(QPaintEvent *event) override;
  void resizeEvent(QResizeEvent *event) override;
  void changeEvent(QEvent *event) override;

private:
  struct SGeometry {
    QPointF Centre;
    double Radius = 0;   // of the scale's outer edge
    double Scale = 1;    // lengths per design pixel
  };
  SGeometry Geometry() const;
  double AngleOf(double value) const;   // degrees, counter-clockwise from 3 o'clock
  void BuildFace();
  void DrawFace(QPainter &painter, const SGeometry &g) const;

  SGaugeSettings Set;
  double Value = 0.0;
  QPixmap FaceCache;
  bool FaceCacheOverScale = false;
  QFont ReadoutFont;   // set with the face: the readout is drawn every frame
  QRectF ReadoutRect;
};
