#include "readlog.h"

#include "datalog.h"
#include "messages.h"
#include "wbprompts.h"

#include <QCoreApplication>
#include <chrono>

TReadLog::TReadLog(const QString &fileName, TMessages *messages, bool &finished, std::mutex &lock)
    : FileName(fileName), Messages(messages), Finished(finished), Lock(lock)
{
  Finished = false;
  {
    std::scoped_lock guard(Lock);
    File.setFileName(FileName);
    HasFile = File.open(QIODevice::ReadOnly);
    if (HasFile)
      FRecordCount = DataLog::RecordCountForSize(File.size());
  }
  connect(this, &QThread::finished, this, &QObject::deleteLater);
}

TReadLog::~TReadLog() { wait(); }

void TReadLog::Pause()
{
  std::scoped_lock guard(PauseLock);
  Paused = true;
}

void TReadLog::Resume()
{
  {
    std::scoped_lock guard(PauseLock);
    Paused = false;
  }
  PauseChanged.notify_all();
}

void TReadLog::RequestStop()
{
  {
    std::scoped_lock guard(PauseLock);
    StopRequested = true;
  }
  PauseChanged.notify_all();
}

void TReadLog::SeekTo(std::int32_t number)
{
  if (number <= 0 || number > FRecordCount)
    return;
  {
    std::scoped_lock guard(PauseLock);
    FPlayIndex = number - 1;
    if (Paused)
      FSeekPending = true;
  }
  PauseChanged.notify_all();
}

void TReadLog::run()
{
  Play();
  Finish();
}

void TReadLog::Play()
{
  if (!HasFile)
    return;
  FSeekPending = false;
  bool ours = false;
  {
    std::scoped_lock guard(Lock);
    ours = DataLog::ReadSignature(File);
  }
  if (!ours) {
    ShowUnsupported();
    return;
  }
  while (!StopRequested && FPlayIndex < FRecordCount) {
    bool seekOnly = false;
    if (!WaitForTurn(seekOnly))
      return;
    std::int32_t index = FPlayIndex;
    if (index >= FRecordCount)
      return;
    SInfo record;
    bool read = false;
    {
      std::scoped_lock guard(Lock);
      read = DataLog::ReadRecord(File, index, record);
    }
    if (!read)   // the file shrank under us: nothing partly read is ever sent
      return;
    Messages->BroadcastInfo(TMessages::EDelivery::Post, record, SVersionFirmware{});
    // A seek made meanwhile has moved the index; that one wins over our own step.
    if (!seekOnly)
      FPlayIndex.compare_exchange_strong(index, index + 1);
    std::unique_lock guard(PauseLock);
    if (PauseChanged.wait_for(guard, std::chrono::milliseconds(IntervalMs), [this] { return bool(StopRequested); }))
      return;
  }
}

bool TReadLog::WaitForTurn(bool &seekOnly)
{
  std::unique_lock guard(PauseLock);
  if (Paused) {
    Held = true;
    PauseChanged.wait(guard, [this] { return StopRequested || !Paused || FSeekPending; });
    Held = false;
  }
  if (StopRequested)
    return false;
  // A seek made while paused sends that one record and leaves the playback paused.
  seekOnly = FSeekPending.exchange(false) && Paused;
  return true;
}

void TReadLog::Finish()
{
  {
    std::scoped_lock guard(Lock);
    Finished = true;
  }
  // From here on nothing of the window is touched: it may be gone.
  Messages->BroadcastInfo(TMessages::EDelivery::Post, MakeZeroInfo(), SVersionFirmware{});
  File.close();
}

void TReadLog::ShowUnsupported()
{
  // A box belongs to the UI thread; the playback goes on to its end record without waiting for it.
  QMetaObject::invokeMethod(
      QCoreApplication::instance(),
      [] {
        WorkbenchPrompts::Instance().Inform(nullptr, TReadLog::tr("Attention."),
                                            TReadLog::tr("Version of log file is not supported"));
      },
      Qt::QueuedConnection);
}
