// zolt-cli write-firmware: the same upload as the program's "Write Firmware", with a text
// progress line; exit 0 only after the bootloader said it has finished.

#include "cli.h"
#include "communication.h"
#include "firmwareupload.h"

int CmdWriteFirmware(const SCliArgs &args)
{
  if (args.Port.isEmpty())
    return Fail(QStringLiteral("write-firmware needs --port PATH"));
  if (args.Operands.isEmpty())
    return Fail(QStringLiteral("write-firmware needs FILE.zbf"));
  TCommunication link;
  QString error;
  const int size = link.StartFirmwareUpload(args.Operands[0], args.Port, &error);
  if (size <= 0)
    return Fail(QStringLiteral("Failed to load firmware: %1").arg(error));
  int lastPercent = -1;
  const EFirmwareResult result = WatchFirmwareUpload(link, [&](int position) {
    const int percent = int(qint64(position) * 100 / size);
    if (percent != lastPercent) {
      Err() << "\rwriting firmware: " << percent << " % (" << position << " of " << size << " bytes)";
      Err().flush();
      lastPercent = percent;
    }
  });
  Err() << '\n';
  link.ClosePort();
  if (result == EFirmwareResult::Failed)
    return Fail(QStringLiteral("Failed to load firmware"));
  Out() << "Firmware is loaded\n";
  return 0;
}
