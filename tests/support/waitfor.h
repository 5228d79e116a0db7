#pragma once
// Waiting for conditions, never for time: spins the event loop until the predicate holds or a
// generous deadline passes.

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

template <typename Pred> bool WaitFor(Pred &&pred, int timeoutMs = 5000)
{
  QDeadlineTimer deadline(timeoutMs);
  while (!pred()) {
    if (deadline.hasExpired())
      return pred();
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QThread::usleep(200);
  }
  return true;
}
