#pragma once
// TOnline, the window "Online": eight gauges, the status lamps and the mode texts, all fed by
// the live record of each WM_READINFO, live or played back. It has no controls of its own.

#include "records.h"

#include <QWidget>
#include <memory>

namespace Ui {
class TOnline;
}

class TAllCalibration;
class TAnalogGauge;
class TCommunication;
class TLamp;
class TMessages;
class QLabel;

class TOnline : public QWidget {
  Q_OBJECT
public:
  static constexpr double AspectRatio = 1.57;

  TOnline(TAllCalibration *calibrations, TCommunication *communication, TMessages *messages,
          QWidget *parent = nullptr);
  ~TOnline() override;

  void WMReadInfo(const SInfo &info);

  TAnalogGauge *Gauge(const char *name) const;
  TLamp *Lamp(const char *name) const;
  QLabel *Label(const char *name) const;

  // Index outside the table: the text of index 0.
  static QString WorkModeText(int mode);
  static QString TestModeText(int mode);
  // The width that goes with a height.
  static int WidthFor(int height) { return int(height * AspectRatio); }

protected:
  void customEvent(QEvent *event) override;
  void resizeEvent(QResizeEvent *event) override;
  void changeEvent(QEvent *event) override;
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  void SetUpGauges();
  void FormCanResize();
  void PlaceGauges();

  std::unique_ptr<Ui::TOnline> Ui;
  TAllCalibration *const Calibrations;
  TCommunication *const Communication;   // not used by the dashboard itself
  TMessages *const Messages;
  QSize RequestedSize;
};
