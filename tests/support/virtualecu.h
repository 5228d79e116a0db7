#pragma once
// A zolt-ecu process for end-to-end tests: started with the arguments given, its pseudo-terminal
// taken from the first line it prints ("port: /dev/pts/N"), stopped when the object goes.
//
//   TVirtualEcu ecu;
//   ASSERT_TRUE(ecu.Start(TVirtualEcu::StateArgs(TempDir.path()) + QStringList{"--wrong-echo-first"}));
//   link.OpenPort(ecu.PortName(), 9600);

#include "waitfor.h"

#include <QDir>
#include <QProcess>
#include <QString>
#include <QStringList>

#ifndef ZOLT_BIN_DIR
#error "virtualecu.h needs ZOLT_BIN_DIR, the folder of the built programs"
#endif

class TVirtualEcu {
public:
  TVirtualEcu() = default;
  TVirtualEcu(const TVirtualEcu &) = delete;
  TVirtualEcu &operator=(const TVirtualEcu &) = delete;
  ~TVirtualEcu() { Stop(); }

  static QString Program() { return QStringLiteral(ZOLT_BIN_DIR "/zolt-ecu"); }

  // Arguments that keep the ECU's memory in a file of the given (temporary) folder.
  static QStringList StateArgs(const QString &dir, const QString &name = QStringLiteral("ecu.state"))
  {
    return {QStringLiteral("--state"), QDir(dir).filePath(name)};
  }

  // Starts the ECU and waits until it names its port; false when it exits or stays mute. May be
  // called again after Stop, for example to see a state file survive a restart.
  bool Start(const QStringList &args = {}, int timeoutMs = 10000)
  {
    Stop();
    Port.clear();
    Output.clear();
    Process.setProgram(Program());
    Process.setArguments(args);
    Process.setProcessChannelMode(QProcess::ForwardedErrorChannel);   // its complaints show in the test log
    Process.start();
    if (!Process.waitForStarted(timeoutMs))
      return false;
    WaitFor([this] { return ReadPort() || Process.state() == QProcess::NotRunning; }, timeoutMs);
    return !Port.isEmpty();
  }

  // SIGTERM (the ECU saves its state and exits 0), a kill if it does not go. True for a clean exit.
  bool Stop()
  {
    if (Process.state() == QProcess::NotRunning)
      return Process.exitStatus() == QProcess::NormalExit && Process.exitCode() == 0;
    Process.terminate();
    if (!Process.waitForFinished(5000)) {
      Process.kill();
      Process.waitForFinished(5000);
      return false;
    }
    return Process.exitStatus() == QProcess::NormalExit && Process.exitCode() == 0;
  }

  bool IsRunning() const { return Process.state() == QProcess::Running; }
  QString PortName() const { return Port; }
  QProcess &Proc() { return Process; }

private:
  bool ReadPort()
  {
    Output += Process.readAllStandardOutput();
    const qsizetype end = Output.indexOf('\n');
    if (end < 0)
      return false;
    const QByteArray first = Output.left(end).trimmed();
    if (first.startsWith("port: "))
      Port = QString::fromUtf8(first.mid(6));
    return true;   // the first line came; anything else is a start-up failure
  }

  QProcess Process;
  QByteArray Output;
  QString Port;
};
