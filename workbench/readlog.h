#pragma once
// TReadLog: the playback of a data log. It sends the recorded records, one every 100 ms, through
// the same broadcast as live data, then the end record (all zero), and frees itself.
//
// It pauses only between records, never while it holds the window's lock or reads the file.
// The window and the playback share the lock and the finished flag; the window checks the flag
// under the lock before it calls anything here, because a finished playback frees itself.

#include "records.h"

#include <QFile>
#include <QString>
#include <QThread>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>

class TMessages;

class TReadLog : public QThread {
  Q_OBJECT
public:
  static constexpr int IntervalMs = 100;

  // Opens the file and counts its records (under lock); start() begins the playback.
  TReadLog(const QString &fileName, TMessages *messages, bool &finished, std::mutex &lock);
  ~TReadLog() override;

  std::int32_t GetRecordCount() const { return FRecordCount; }
  void Pause();
  void Resume();
  bool IsPaused() const { return Paused; }
  // Whether the thread is parked in its pause, between two records.
  bool IsHeld() const { return Held; }
  void RequestStop();
  // Number 1 .. record count; others are ignored. While paused, exactly that record is sent and
  // the playback stays paused; while playing, playing goes on from that record.
  void SeekTo(std::int32_t number);

protected:
  void run() override;

private:
  void Play();
  // Waits for the next record's turn: the interval, then as long as paused. False to stop.
  bool WaitForTurn(bool &seekOnly);
  void Finish();
  void ShowUnsupported();

  const QString FileName;
  TMessages *const Messages;
  bool &Finished;
  std::mutex &Lock;
  QFile File;
  bool HasFile = false;
  std::int32_t FRecordCount = 0;
  std::atomic<std::int32_t> FPlayIndex{0};
  std::atomic<bool> FSeekPending{false};

  std::mutex PauseLock;   // never held together with Lock
  std::condition_variable PauseChanged;
  std::atomic<bool> Paused{false};
  std::atomic<bool> Held{false};
  std::atomic<bool> StopRequested{false};
};
