// zolt-cli commands that watch the ECU: info and live.

#include "cli.h"
#include "communication.h"
#include "messages.h"
#include "readinfo.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>
#include <cstdio>

QTextStream &Out()
{
  static QTextStream out(stdout);
  return out;
}

QTextStream &Err()
{
  static QTextStream err(stderr);
  return err;
}

int Fail(const QString &message)
{
  Out().flush();
  std::fflush(stdout);
  Err() << "zolt-cli: " << message << Qt::endl;
  std::fflush(stderr);
  return 1;
}

bool ConnectLink(TCommunication &link, const QString &port, int timeoutMs)
{
  if (port.isEmpty()) {
    Fail(QStringLiteral("this command needs --port PATH"));
    return false;
  }
  if (!link.OpenPort(port, TCommunication::DefaultBaudRate)) {
    Fail(QStringLiteral("cannot open %1: %2").arg(port, link.LastPortError()));
    return false;
  }
  QDeadlineTimer deadline(timeoutMs);
  while (!link.IsLinkAlive() && !deadline.hasExpired()) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(1);
  }
  if (!link.IsLinkAlive()) {
    Fail(QStringLiteral("the ECU on %1 does not answer (no data within %2 s)").arg(port).arg(timeoutMs / 1000.0));
    return false;
  }
  return true;
}

int CmdInfo(const SCliArgs &args)
{
  TCommunication link;
  QDeadlineTimer deadline(5000);
  if (!ConnectLink(link, args.Port, 3000))
    return 1;
  SVersionFirmware identity;
  while (!link.ReadVersion(identity)) {
    if (deadline.hasExpired() || !link.IsPortOpen())
      return Fail(QStringLiteral("the ECU on %1 did not answer the identity request").arg(args.Port));
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  Out() << "version: " << identity.Version.trimmed() << '\n'
        << "id: " << identity.Id.trimmed() << '\n'
        << "flags: " << identity.FlagLetters() << '\n';
  return 0;
}

namespace {

// Receives the live records of the polling thread and prints them.
class TLivePrinter : public QObject {
public:
  explicit TLivePrinter(int count) : Remaining(count) {}
  bool Done() const { return Remaining == 0; }

protected:
  void customEvent(QEvent *event) override
  {
    if (event->type() != WM_READINFO || Remaining == 0)
      return;
    Out() << LiveCsvRow(static_cast<TReadInfoEvent *>(event)->Info) << '\n';
    Out().flush();
    if (Remaining > 0)
      --Remaining;
  }

private:
  int Remaining;
};

}   // namespace

int CmdLive(const SCliArgs &args)
{
  TCommunication link;
  if (args.Port.isEmpty())
    return Fail(QStringLiteral("this command needs --port PATH"));
  if (!link.OpenPort(args.Port, TCommunication::DefaultBaudRate))
    return Fail(QStringLiteral("cannot open %1: %2").arg(args.Port, link.LastPortError()));
  TMessages messages;
  TLivePrinter printer(args.Count);
  messages.Add(&printer);
  std::mutex pollLock;
  bool pollStopped = true;
  Out() << LiveCsvHeader() << '\n';
  Out().flush();
  auto *poller = new TReadInfo(&messages, pollLock, pollStopped, &link);
  poller->start();
  while (!printer.Done()) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(1);
  }
  messages.Remove(&printer);
  poller->Terminate();
  for (;;) {
    {
      std::scoped_lock lock(pollLock);
      if (pollStopped)
        break;
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(1);
  }
  return 0;
}
