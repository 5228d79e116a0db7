#pragma once
// zolt-cli: the headless twin of the program, over the same link, records and file code.

#include <QString>
#include <QStringList>
#include <QTextStream>

struct SCliArgs {
  QString Port;
  QString Command;
  QStringList Operands;
  QString Format;    // "csv", "json" or empty for the command's default
  int Count = -1;    // rows to print; -1 for no limit
};

QTextStream &Out();
QTextStream &Err();
// One clear error line on stderr; returns the exit code 1.
int Fail(const QString &message);

class TCommunication;
// Opens the port and waits until the ECU is heard; on failure tells why and returns false.
bool ConnectLink(TCommunication &link, const QString &port, int timeoutMs);

int CmdInfo(const SCliArgs &args);
int CmdLive(const SCliArgs &args);
int CmdSetPort(const SCliArgs &args);
int CmdWriteFirmware(const SCliArgs &args);
int CmdShow(const SCliArgs &args);
int CmdConvert(const SCliArgs &args);
int CmdReadCalibration(const SCliArgs &args);
int CmdWriteCalibration(const SCliArgs &args);
int CmdLog(const SCliArgs &args);
int CmdPackets(const SCliArgs &args);
int CmdReadParams(const SCliArgs &args);
int CmdWriteParams(const SCliArgs &args);
