#include "appsettings.h"

#include <QDir>
#include <QFile>
#include <QSettings>

SCommandLine ParseCommandLine(const QStringList &arguments, const QString &programDir)
{
  SCommandLine line;
  for (const QString &argument : arguments) {
    if (argument == QLatin1String("/log")) {
      line.PacketLogPath = QDir(programDir).filePath(QStringLiteral("Log.zlp"));
      line.DebugVisible = false;
    } else if (argument == QLatin1String("/debug")) {
      line.PacketLogPath.clear();
      line.DebugVisible = true;
    }
  }
  return line;
}

TSettingsFile::SLoaded TSettingsFile::Load() const
{
  SLoaded loaded;
  QString version;
  {
    QSettings ini(Path, QSettings::IniFormat);
    // A file that is garbage or unreadable yields the defaults, and its tag reads as "0".
    version = ini.value(QStringLiteral("Main/Version"), QStringLiteral("0")).toString();
    loaded.ComPort = ini.value(QStringLiteral("Setting/ComPort"), QString()).toString();
    loaded.Settings.PlugIns = ini.value(QStringLiteral("Setting/PlugIns"), QStringLiteral("0")).toString();
    bool ok = false;
    const double corr = ini.value(QStringLiteral("Setting/AFRCorr"), 0.0).toDouble(&ok);
    loaded.Settings.AFRCorr = ok ? corr : 0.0;
  }
  if (version != QLatin1String(VersionTag)) {
    QFile::remove(Path);
    QSettings fresh(Path, QSettings::IniFormat);
    fresh.setValue(QStringLiteral("Main/Version"), QString::fromLatin1(VersionTag));
    fresh.sync();
    loaded.Recreated = true;
  }
  return loaded;
}

bool TSettingsFile::SaveKeys(const QString &comPort, const SSetting &settings) const
{
  QSettings ini(Path, QSettings::IniFormat);
  ini.setValue(QStringLiteral("Setting/ComPort"), comPort);
  ini.setValue(QStringLiteral("Setting/PlugIns"), settings.PlugIns);
  ini.setValue(QStringLiteral("Setting/AFRCorr"), settings.AFRCorr);
  ini.sync();
  return ini.status() == QSettings::NoError;
}

bool TSettingsFile::LoadPosition(QPoint &topLeft) const
{
  QSettings ini(Path, QSettings::IniFormat);
  bool okLeft = false, okTop = false;
  const int left = ini.value(QStringLiteral("TMain/Left")).toInt(&okLeft);
  const int top = ini.value(QStringLiteral("TMain/Top")).toInt(&okTop);
  if (!okLeft || !okTop)
    return false;
  topLeft = QPoint(left, top);
  return true;
}

bool TSettingsFile::SavePosition(const QPoint &topLeft) const
{
  QSettings ini(Path, QSettings::IniFormat);
  ini.setValue(QStringLiteral("TMain/Left"), topLeft.x());
  ini.setValue(QStringLiteral("TMain/Top"), topLeft.y());
  ini.sync();
  return ini.status() == QSettings::NoError;
}
