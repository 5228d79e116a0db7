#pragma once
// The command line of zolt-ecu.

#include "bootloader.h"
#include "ecudevice.h"

#include <QString>
#include <QStringList>

struct SEcuOptions {
  SEcuDeviceSettings Device;
  SBootloaderSettings Boot;
  QString StateFile;     // empty: the memory lives only as long as the process
  QString ReplayFile;    // a packet log to play back; empty: the ECU's own packets
  bool Pacing = true;
  bool Help = false;
};

// Parses the arguments (the program name first). False with a message on a bad option or value.
bool ParseEcuOptions(const QStringList &arguments, SEcuOptions &options, QString *error);
QString EcuHelpText();
