#pragma once
// The program's settings file Setting.ini beside the program, its version tag and repair rule,
// and the command line switches.

#include <QPoint>
#include <QString>
#include <QStringList>

struct SSetting {
  bool AutoConnect = false;   // kept for the run only
  bool FastWrite = false;     // kept for the run only
  QString PlugIns;            // plug-in directory; "0" when never set
  double AFRCorr = 0.0;
};

struct SCommandLine {
  QString PacketLogPath;      // empty: no packet log
  bool DebugVisible = false;
};

// "/log" and "/debug", exactly and case-sensitively; the last of them wins.
SCommandLine ParseCommandLine(const QStringList &arguments, const QString &programDir);

class TSettingsFile {
public:
  static constexpr const char *VersionTag = "ZFS001";

  struct SLoaded {
    QString ComPort;
    SSetting Settings;
    bool Recreated = false;   // the file had another version (or none) and was made anew
  };

  explicit TSettingsFile(QString path) : Path(std::move(path)) {}
  const QString &FilePath() const { return Path; }

  // Reads the keys, then replaces a file whose version tag is not ours by a fresh one that holds
  // only the tag. The values read stay in effect for the run.
  SLoaded Load() const;
  // Writes the keys at close; false when the file could not be written.
  bool SaveKeys(const QString &comPort, const SSetting &settings) const;

  // The main window's position, in a section of its own.
  bool LoadPosition(QPoint &topLeft) const;
  bool SavePosition(const QPoint &topLeft) const;

private:
  QString Path;
};
