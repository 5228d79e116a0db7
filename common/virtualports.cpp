#include "virtualports.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

QString VirtualEcuRegistryDir() { return QDir(QDir::tempPath()).filePath(QStringLiteral("zolt-ecu-ports")); }

QString RegisterVirtualEcuPort(const QString &portPath)
{
  QDir dir(VirtualEcuRegistryDir());
  if (!dir.mkpath(QStringLiteral(".")))
    return {};
  const QString file = dir.filePath(QStringLiteral("%1.port").arg(QCoreApplication::applicationPid()));
  QSaveFile out(file);
  if (!out.open(QIODevice::WriteOnly))
    return {};
  out.write(portPath.toUtf8());
  return out.commit() ? file : QString();
}

void UnregisterVirtualEcuPort(const QString &registryFile)
{
  if (!registryFile.isEmpty())
    QFile::remove(registryFile);
}

QStringList VirtualEcuPorts()
{
  QStringList ports;
  const QDir dir(VirtualEcuRegistryDir());
  for (const QFileInfo &entry : dir.entryInfoList({QStringLiteral("*.port")}, QDir::Files, QDir::Name)) {
    // A registry file of a process that is gone (killed without clean-up) is stale.
    if (!QFileInfo::exists(QStringLiteral("/proc/%1").arg(entry.baseName())))
      continue;
    QFile f(entry.filePath());
    if (!f.open(QIODevice::ReadOnly))
      continue;
    const QString port = QString::fromUtf8(f.read(256)).trimmed();
    if (!port.isEmpty() && QFileInfo::exists(port))
      ports << port;
  }
  return ports;
}
