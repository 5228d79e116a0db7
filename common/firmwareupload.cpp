#include "firmwareupload.h"

#include "communication.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

EFirmwareResult WatchFirmwareUpload(TCommunication &link, const std::function<void(int)> &progress)
{
  SFW state;
  link.GetFirmwareState(state);
  int shown = 0;
  int stalls = 0;
  while (state.LoaderMode) {
    shown = state.Position;
    progress(shown);
    // The poll period is spent handling the bootloader's bytes as they come, not asleep.
    QEventLoop wait;
    QTimer::singleShot(FirmwarePollMs, &wait, &QEventLoop::quit);
    wait.exec();
    link.GetFirmwareState(state);
    stalls = shown == state.Position ? stalls + 1 : 0;
    // While nothing was sent yet the wait has no limit: the bootloader may not have started,
    // and the user ends it with Disconnect.
    if (!link.IsPortOpen() || (stalls > FirmwareStallLimit && shown > 0)) {
      link.AbortFirmwareUpload();
      return EFirmwareResult::Failed;
    }
  }
  const bool loaded = state.Last != 'E';
  if (loaded)
    progress(shown > state.Position ? shown : state.Position);
  return loaded ? EFirmwareResult::Loaded : EFirmwareResult::Failed;
}
