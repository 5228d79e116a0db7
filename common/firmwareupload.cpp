#include "firmwareupload.h"

#include "communication.h"

#include <QCoreApplication>
#include <QThread>

EFirmwareResult WatchFirmwareUpload(TCommunication &link, const std::function<void(int)> &progress)
{
  SFW state;
  link.GetFirmwareState(state);
  int shown = 0;
  int stalls = 0;
  while (state.LoaderMode) {
    shown = state.Position;
    progress(shown);
    QCoreApplication::processEvents();
    QThread::msleep(FirmwarePollMs);
    link.GetFirmwareState(state);
    stalls = shown == state.Position ? stalls + 1 : 0;
    // While nothing was sent yet the wait has no limit: the bootloader may not have started,
    // and the user ends it with Disconnect.
    if (!link.IsPortOpen() || (stalls > FirmwareStallLimit && shown > 0)) {
      link.AbortFirmwareUpload();
      return EFirmwareResult::Failed;
    }
  }
  progress(state.Position);
  return state.Last == 'E' ? EFirmwareResult::Failed : EFirmwareResult::Loaded;
}
