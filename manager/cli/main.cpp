#include "cli.h"

#include <QCoreApplication>
#include <cstdio>
#include <functional>
#include <map>

namespace {

const char *const Usage = R"(Usage: zolt-cli [--port PATH] COMMAND [OPERANDS] [OPTIONS]

Commands that talk to the ECU (need --port PATH, e.g. /dev/ttyUSB0 or a virtual ECU's /dev/pts/N):
  info                 print the ECU identity: "version: ...", "id: ...", "flags: ..." (3 lines)
  live [--count N]     print live records as CSV rows as the polling thread makes them;
                       N rows then exit, otherwise until interrupted
  read-calibration OUT.zf2
                       read all calibrations and both parameter blocks into a calibration file
  write-calibration FILE.zf2
                       write the file's calibrations to the ECU, then read them back and compare
  read-params [--format json]
                       print both parameter blocks: every field by name in the editor's units
                       (rpm, degrees, volts...), and the raw bytes
  write-params FILE.json
                       write a document as read-params prints it: the raw bytes (when present),
                       then the named fields on top; fields left out keep what the ECU holds;
                       read back and compared
  write-firmware FILE.zbf
                       upload firmware through the bootloader (57600 baud); progress on
                       stderr; exit 0 only when the bootloader reports the end

Commands over files:
  show FILE [--format json|csv]
                       print all 14 calibrations of a .zf2, .zfd, .z5u or .kvd file (json by
                       default: {"calibrations": [{"name", "kind", "axis", "flows"}], "params",
                       "paramsExt"}; the blocks are null when the file type has none)
  convert FILE OUT.zf2 convert any of the four file types into a current calibration file
  set-port INI PORT [PLUGIN_DIR]
                       select the port (and the plug-in folder) in the settings file INI
  log FILE.zlf [--format csv|json] [--count N]
                       print the records of a data log with the columns of live plus
                       RecordNo first (csv by default; json: {"records": [{column: value}]})
  packets FILE.zlp [--count N]
                       print a packet log, one line per packet: number (from 0), type,
                       length and the payload in hexadecimal ("-" when empty)

Options:
  --port PATH          the serial port of the ECU
  --count N            number of rows for live, log and packets
  --format csv|json    output format where a command offers both
  --help               this text

Exit status: 0 on success, 1 with one error line on stderr otherwise.
)";

bool ParseArgs(const QStringList &argv, SCliArgs &args, QString &error)
{
  for (int k = 0; k < argv.size(); ++k) {
    const QString &a = argv[k];
    auto value = [&](QString &into) {
      if (k + 1 >= argv.size()) {
        error = QStringLiteral("%1 needs a value").arg(a);
        return false;
      }
      into = argv[++k];
      return true;
    };
    if (a == QLatin1String("--port")) {
      if (!value(args.Port))
        return false;
    } else if (a == QLatin1String("--format")) {
      if (!value(args.Format))
        return false;
    } else if (a == QLatin1String("--count")) {
      QString n;
      if (!value(n))
        return false;
      bool ok = false;
      args.Count = n.toInt(&ok);
      if (!ok || args.Count < 0) {
        error = QStringLiteral("--count needs a whole number, not \"%1\"").arg(n);
        return false;
      }
    } else if (a.startsWith(QLatin1String("--"))) {
      error = QStringLiteral("unknown option %1").arg(a);
      return false;
    } else if (args.Command.isEmpty()) {
      args.Command = a;
    } else {
      args.Operands << a;
    }
  }
  return true;
}

}   // namespace

int main(int argc, char **argv)
{
  QCoreApplication app(argc, argv);
  const QStringList argList = QCoreApplication::arguments().mid(1);
  if (argList.isEmpty() || argList.contains(QLatin1String("--help")) || argList.contains(QLatin1String("-h"))) {
    Out() << Usage;
    Out().flush();
    return argList.isEmpty() ? 1 : 0;
  }
  SCliArgs args;
  QString error;
  if (!ParseArgs(argList, args, error))
    return Fail(error);
  const std::map<QString, std::function<int(const SCliArgs &)>> commands{
      {QStringLiteral("info"), CmdInfo},
      {QStringLiteral("live"), CmdLive},
      {QStringLiteral("set-port"), CmdSetPort},
      {QStringLiteral("write-firmware"), CmdWriteFirmware},
      {QStringLiteral("show"), CmdShow},
      {QStringLiteral("convert"), CmdConvert},
      {QStringLiteral("read-calibration"), CmdReadCalibration},
      {QStringLiteral("write-calibration"), CmdWriteCalibration},
      {QStringLiteral("log"), CmdLog},
      {QStringLiteral("packets"), CmdPackets},
      {QStringLiteral("read-params"), CmdReadParams},
      {QStringLiteral("write-params"), CmdWriteParams},
  };
  const auto command = commands.find(args.Command);
  if (command == commands.end())
    return Fail(QStringLiteral("unknown command \"%1\" (zolt-cli --help lists them)").arg(args.Command));
  const int code = command->second(args);
  Out().flush();
  Err().flush();
  std::fflush(stdout);
  std::fflush(stderr);
  return code;
}
