// zolt-ecu: the virtual ECU on a pseudo-terminal.
#include "bootloader.h"
#include "ecudevice.h"
#include "ecumemory.h"
#include "ecuoptions.h"
#include "ecustatefile.h"
#include "packetreplay.h"
#include "ptyserver.h"
#include "virtualports.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <csignal>
#include <memory>
#include <cstdio>

namespace {

volatile std::sig_atomic_t StopRequested = 0;

void RequestStop(int) { StopRequested = 1; }

void InstallSignalHandlers()
{
  struct sigaction action = {};
  action.sa_handler = RequestStop;
  sigemptyset(&action.sa_mask);
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
  std::signal(SIGPIPE, SIG_IGN);
}

void Error(const QString &text) { std::fprintf(stderr, "zolt-ecu: %s\n", qPrintable(text)); }

}   // namespace

int main(int argc, char **argv)
{
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("zolt-ecu"));

  SEcuOptions options;
  QString error;
  if (!ParseEcuOptions(QCoreApplication::arguments(), options, &error)) {
    Error(error + QStringLiteral(" (see --help)"));
    return 2;
  }
  if (options.Help) {
    std::fputs(qPrintable(EcuHelpText()), stdout);
    return 0;
  }

  TEcuMemory memory;
  if (!options.StateFile.isEmpty()) {
    if (QFileInfo::exists(options.StateFile)) {
      if (!TEcuStateFile::Load(memory, options.StateFile, &error)) {
        Error(QStringLiteral("state file %1 is damaged: %2").arg(options.StateFile, error));
        return 1;
      }
    } else if (!TEcuStateFile::Save(memory, options.StateFile, &error)) {
      // Better to refuse now than to lose every write at the end of the session.
      Error(QStringLiteral("cannot create state file %1: %2").arg(options.StateFile, error));
      return 1;
    }
  }

  TPacketReplay replay;
  if (!options.ReplayFile.isEmpty()) {
    if (!replay.LoadFile(options.ReplayFile, &error)) {
      Error(QStringLiteral("cannot replay packet log %1: %2").arg(options.ReplayFile, error));
      return 1;
    }
    if (replay.TrailingBytes() > 0)
      Error(QStringLiteral("packet log %1 ends in a partial record; its %2 bytes are ignored")
              .arg(options.ReplayFile)
              .arg(replay.TrailingBytes()));
  }

  TPtyServer server;
  std::string openError;
  if (!server.Open(&openError)) {
    Error(QString::fromStdString(openError));
    return 1;
  }
  InstallSignalHandlers();
  std::printf("port: %s\n", server.PortName().c_str());
  std::fflush(stdout);
  const QString registration = RegisterVirtualEcuPort(QString::fromStdString(server.PortName()));

  TEcuDevice device(memory, options.Device);
  auto save = [&] {
    QString saveError;
    if (!options.StateFile.isEmpty() && !TEcuStateFile::Save(memory, options.StateFile, &saveError))
      Error(QStringLiteral("cannot save state file %1: %2").arg(options.StateFile, saveError));
  };
  device.SetMemoryWritten(save);
  auto bootloader = std::make_unique<TEcuBootloader>(memory, device.Output(), options.Boot);
  bootloader->SetImageStored(save);
  device.SetBootloader(std::move(bootloader));
  if (!options.ReplayFile.isEmpty())
    device.SetReplay(&replay);
  server.SetPacing(options.Pacing);
  server.Run(device, StopRequested);

  save();
  UnregisterVirtualEcuPort(registration);
  return 0;
}
