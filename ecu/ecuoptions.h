#pragma once
// The command line of zolt-ecu.

#include "ecudevice.h"

#include <QString>
#include <QStringList>

struct SEcuOptions {
  SEcuDeviceSettings Device;
  QString StateFile;     // empty: the memory lives only as long as the process
  bool Pacing = true;
  bool Help = false;
};

// Parses the arguments (the program name first). False with a message on a bad option or value.
bool ParseEcuOptions(const QStringList &arguments, SEcuOptions &options, QString *error);
QString EcuHelpText();
