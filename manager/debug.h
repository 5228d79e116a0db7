#pragma once
// TDebug, the window "Debug": steps through a packet log (.zlp) one recorded packet at a time,
// by hand or every 150 ms, and shows each packet's payload in hexadecimal with its length,
// status and type. It only displays: nothing goes to the link, the slots or the live data.

#include <QFile>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <memory>

namespace Ui {
class TDebug;
}

class QAction;
class TActionList;

class TDebug : public QWidget {
  Q_OBJECT
public:
  static constexpr int TimerIntervalMs = 150;

  explicit TDebug(QWidget *owner = nullptr);
  ~TDebug() override;

  void A_PlayExecute();
  void A_PauseExecute();
  void A_NextExecute();
  void A_PrevExecute();
  void A_StopExecute();
  void PacketSliderChangedValue(int value);
  void ShowPacket();

  bool IsFileOpen() const { return PacketStream != nullptr; }
  bool IsTimerRunning() const { return Timer.isActive(); }
  std::int32_t Count() const { return PacketCount; }

protected:
  void closeEvent(QCloseEvent *event) override;
  void changeEvent(QEvent *event) override;

private:
  QAction *MakeAction(const char *name, void (TDebug::*execute)());
  void Retranslate();
  void UpdateActions();
  // Like the designed slider: a position outside 0 .. maximum is refused.
  void SetSlider(int value);
  void ClearFields();

  std::unique_ptr<Ui::TDebug> Ui;
  TActionList *Actions = nullptr;
  QAction *A_Play = nullptr;
  QAction *A_Pause = nullptr;
  QAction *A_Next = nullptr;
  QAction *A_Prev = nullptr;
  QAction *A_Stop = nullptr;
  QTimer Timer;
  std::unique_ptr<QFile> PacketStream;
  std::int32_t PacketCount = 0;
};
