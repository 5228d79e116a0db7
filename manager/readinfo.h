#pragma once
// TReadInfo: the polling thread. While connected it turns the ECU's live packet into a live
// record every 25 ms and broadcasts it; while the line is silent it broadcasts zero records.
// It pauses only between two cycles, never inside a request.

#include "liverecord.h"
#include "records.h"

#include <QThread>
#include <condition_variable>
#include <mutex>

class TCommunication;
class TMessages;

class TReadInfo : public QThread {
  Q_OBJECT
public:
  static constexpr int PeriodMs = 25;

  // Sets pollStopped to false at once; when the thread has ended, the UI thread sets it back to
  // true under pollLock, sends the final zero record and deletes the thread object.
  TReadInfo(TMessages *messages, std::mutex &pollLock, bool &pollStopped, TCommunication *link);
  ~TReadInfo() override;

  void Pause();           // the thread stops before its next cycle
  void Resume();
  void Terminate();       // the thread leaves its loop after the current cycle
  bool IsPaused() const;  // true once the thread actually waits between two cycles

protected:
  void run() override;

private:
  void Finish();
  bool WaitBetweenCycles();   // false when terminated

  TMessages *Messages;
  std::mutex &PollLock;
  bool &PollStopped;
  TCommunication *Link;
  SInfo Record;
  SVersionFirmware Identity;

  mutable std::mutex StateLock;
  std::condition_variable StateChanged;
  bool PauseRequested = false;
  bool PausedNow = false;
  bool TerminateRequested = false;
};
