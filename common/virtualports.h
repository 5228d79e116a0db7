#pragma once
// Running virtual ECUs announce their pseudo-terminal in a small registry folder, so the
// settings dialog can offer them to a user without hardware.

#include <QString>
#include <QStringList>

QString VirtualEcuRegistryDir();
// Announces the port of this process; returns the registry file written (empty on failure).
QString RegisterVirtualEcuPort(const QString &portPath);
void UnregisterVirtualEcuPort(const QString &registryFile);
// Ports of virtual ECUs whose process still runs.
QStringList VirtualEcuPorts();
