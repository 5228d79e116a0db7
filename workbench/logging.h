#pragma once
// TLogging, the window "Logging": records every live record that reaches it into a data log
// (.zlf) while the ECU is connected, and plays a data log back to every registered window
// through TReadLog while it is not.

#include "datalog.h"
#include "records.h"

#include <QWidget>
#include <memory>
#include <mutex>

namespace Ui {
class TLogging;
}

class QAction;
class TCommunication;
class TMessages;
class TReadLog;

class TLogging : public QWidget {
  Q_OBJECT
public:
  TLogging(QWidget *owner, TCommunication *link, TMessages *messages);
  ~TLogging() override;

  void WMReadInfo(const SInfo &info);

  void A_RecExecute();
  void A_PlayExecute();
  void A_RewExecute();
  void A_FwExecute();
  void A_PauseExecute();
  void A_StopExecute();
  void LogDirectoryChange();
  void PacketSliderChangedValue(int value);

  QString LogDirectory() const;
  void SetLogDirectory(const QString &directory);
  bool IsRecording() const { return FLogStream.IsOpen(); }
  bool IsPlaying() const { return FPlayer != nullptr; }
  // Whether a playback is parked in its pause (between two records).
  bool IsPlaybackHeld();
  QString RecordingFileName() const { return FLogFileName; }

protected:
  void customEvent(QEvent *event) override;
  void closeEvent(QCloseEvent *event) override;
  void resizeEvent(QResizeEvent *event) override;
  void changeEvent(QEvent *event) override;

private:
  QAction *MakeAction(const char *name, const QIcon &icon, void (TLogging::*execute)());
  void Retranslate();
  void RefreshFileList();
  void LayOutFileColumns();
  void ChooseDirectory();
  void ShowCounter(int value);
  void SetSlider(int value);
  // A playback exists and has not finished (checked under FPlayLock): only then may it be called.
  bool PlayerAlive();
  void RecordingFailed();

  std::unique_ptr<Ui::TLogging> Ui;
  TCommunication *const Communication;
  TMessages *const Messages;
  QAction *A_Rec = nullptr;
  QAction *A_Play = nullptr;
  QAction *A_Rew = nullptr;
  QAction *A_Fw = nullptr;
  QAction *A_Pause = nullptr;
  QAction *A_Stop = nullptr;

  DataLog::TWriter FLogStream;
  QString FLogFileName;
  TReadLog *FPlayer = nullptr;   // frees itself when it has finished
  std::mutex FPlayLock;
  bool FPlayFinished = true;
};
