#include "readinfo.h"

#include "communication.h"
#include "messages.h"

#include <chrono>

TReadInfo::TReadInfo(TMessages *messages, std::mutex &pollLock, bool &pollStopped, TCommunication *link)
    : Messages(messages), PollLock(pollLock), PollStopped(pollStopped), Link(link), Record(MakeZeroInfo())
{
  {
    std::scoped_lock lock(PollLock);
    PollStopped = false;
  }
  // The end steps run on the UI thread, after the loop has left.
  connect(this, &QThread::finished, this, &TReadInfo::Finish, Qt::QueuedConnection);
}

TReadInfo::~TReadInfo()
{
  Terminate();
  wait();
}

void TReadInfo::Pause()
{
  std::scoped_lock lock(StateLock);
  PauseRequested = true;
}

void TReadInfo::Resume()
{
  {
    std::scoped_lock lock(StateLock);
    PauseRequested = false;
  }
  StateChanged.notify_all();
}

void TReadInfo::Terminate()
{
  {
    std::scoped_lock lock(StateLock);
    TerminateRequested = true;
  }
  StateChanged.notify_all();
}

bool TReadInfo::IsPaused() const
{
  std::scoped_lock lock(StateLock);
  return PausedNow;
}

bool TReadInfo::WaitBetweenCycles()
{
  std::unique_lock lock(StateLock);
  // The period sleep ends early on a terminate request, so Disconnect never waits a full cycle.
  StateChanged.wait_for(lock, std::chrono::milliseconds(PeriodMs), [this] { return TerminateRequested; });
  if (PauseRequested && !TerminateRequested) {
    PausedNow = true;
    StateChanged.wait(lock, [this] { return !PauseRequested || TerminateRequested; });
    PausedNow = false;
  }
  return !TerminateRequested;
}

void TReadInfo::run()
{
  do {
    if (Link->IsLinkAlive()) {
      if (Link->ReadInfo(Record, Identity)) {
        Record.Valid = 1;
        Messages->BroadcastInfo(TMessages::EDelivery::Post, Record, Identity);
      } else {
        // A wait that found no live packet is no live data: receivers get a zero record, while
        // the thread keeps the identity it read for the records that follow.
        Messages->BroadcastInfo(TMessages::EDelivery::Post, MakeZeroInfo(), SVersionFirmware{});
      }
    } else {
      Record = MakeZeroInfo();
      Identity = SVersionFirmware{};
      Messages->BroadcastInfo(TMessages::EDelivery::Post, Record, Identity);
    }
  } while (WaitBetweenCycles());
}

void TReadInfo::Finish()
{
  {
    std::scoped_lock lock(PollLock);
    PollStopped = true;
  }
  Record = MakeZeroInfo();
  Identity = SVersionFirmware{};
  Messages->BroadcastInfo(TMessages::EDelivery::Send, Record, Identity);
  deleteLater();
}
