#include "ecuoptions.h"

#include <QCommandLineParser>

namespace {

struct SOptionSet {
  QCommandLineOption Help{{"h", "help"}, "Show this help and exit."};
  QCommandLineOption State{"state", "Keep calibrations, parameters and the uploaded firmware image in FILE: loaded "
                                    "at start (a missing file is created with the defaults), saved after every "
                                    "write request, after an upload and at exit.",
                           "FILE"};
  QCommandLineOption LiveInterval{"live-interval-ms", "Send a live data packet every N ms of its own accord "
                                                      "(default 100; 0 sends one only when asked).",
                                  "N", "100"};
  QCommandLineOption ExtraInterval{"extra-interval-ms", "Send one of the packets 81, 97, 161 every N ms "
                                                        "(default 3000; 0 never).",
                                   "N", "3000"};
  QCommandLineOption NoPacing{"no-pacing", "Send as fast as the pseudo-terminal takes it instead of at the line "
                                           "rate of the baud rate set by the other end (9600 baud: 960 bytes/s)."};
  QCommandLineOption Drop{"drop-answers", "Leave out an answer with probability P (0..1); writes are still stored.",
                          "P", "0"};
  QCommandLineOption Corrupt{"corrupt", "Send a packet with a wrong check with probability P (0..1).", "P", "0"};
  QCommandLineOption WrongEcho{"wrong-echo-first", "Answer every block and table request first with the echo "
                                                   "(and data) of another block or table, then correctly."};
  QCommandLineOption Delay{"answer-delay-ms", "Send every answer N ms late.", "N", "0"};
  QCommandLineOption Silent{"silent-after-ms", "Fall silent for good N ms after the first byte received.", "N"};
  QCommandLineOption Garbage{"garbage", "Put noise bytes (with pieces of the packet marker) before a packet with "
                                        "probability P (0..1).",
                             "P", "0"};
  QCommandLineOption Seed{"seed", "Seed of every injected fault (default 1), so runs can be repeated.", "N", "1"};
  QCommandLineOption Version{"version-text", "Version text of the identity answer (default \"ZOLT 2.15\", at most "
                                             "12 characters).",
                             "TEXT", "ZOLT 2.15"};
  QCommandLineOption Id{"identifier", "Identifier of the identity answer, 8 hex digits (default 1234ABCD).", "HEX",
                        "1234ABCD"};
  QCommandLineOption Flags{"flags", "Flags byte of the identity answer (default 3).", "N", "3"};

  QCommandLineOption FlashSize{"flash-size", "Bootloader: flash size in bytes, a whole number of 64-byte blocks "
                                              "(default 32768). The bootloader asks for this many bytes: a shorter "
                                              "firmware file fails the upload, a longer one is cut at this size.",
                                "BYTES", "32768"};
  QCommandLineOption BootId{"boot-id", "Bootloader: its four identification bytes, 8 hex digits (default 5A4F4C54).",
                            "HEX", "5A4F4C54"};
  QCommandLineOption BootStall{"boot-stall-after", "Bootloader: stop asking for blocks after N blocks (a stalled "
                                                   "upload).",
                               "N"};
  QCommandLineOption BootFail{"boot-fail-after", "Bootloader: end the upload with \"E\" after N blocks.", "N"};
  QCommandLineOption Replay{"replay", "Play the packet log FILE (Log.zlp) back: its live packets in order at the "
                                      "live interval, each request answered with the next recorded packet of the "
                                      "answer type (from the ECU's own memory where the log holds none). Playing "
                                      "starts with the first request, so nothing is lost before the manager "
                                      "listens; after the last recorded live packet the ECU sends its own.",
                            "FILE"};

  QList<QCommandLineOption> All() const
  {
    return {Help,  State, LiveInterval, ExtraInterval, NoPacing, Drop,   Corrupt,   WrongEcho, Delay, Silent,
            Garbage, Seed, Version,     Id,            Flags,    FlashSize, BootId, BootStall, BootFail, Replay};
  }
};

bool Fail(QString *error, const QString &text)
{
  *error = text;
  return false;
}

bool Probability(const QCommandLineParser &p, const QCommandLineOption &o, double &out, QString *error)
{
  bool ok = false;
  out = p.value(o).toDouble(&ok);
  if (!ok || out < 0.0 || out > 1.0)
    return Fail(error, QStringLiteral("--%1 needs a probability from 0 to 1, not \"%2\"").arg(o.names().last(), p.value(o)));
  return true;
}

bool Count(const QCommandLineParser &p, const QCommandLineOption &o, int &out, QString *error)
{
  bool ok = false;
  out = p.value(o).toInt(&ok);
  if (!ok || out < 0)
    return Fail(error, QStringLiteral("--%1 needs a whole number of 0 or more, not \"%2\"").arg(o.names().last(), p.value(o)));
  return true;
}

bool ParseBootOptions(const QCommandLineParser &parser, const SOptionSet &set, SEcuOptions &options, QString *error)
{
  SBootloaderSettings &b = options.Boot;
  // At 57600 baud the line carries 5.76 bytes a millisecond, in both directions.
  b.ReceiveBytesPerMs = options.Pacing ? 57600 / 10.0 / 1000.0 : 0.0;
  if (!Count(parser, set.FlashSize, b.FlashSize, error))
    return false;
  if (b.FlashSize == 0 || b.FlashSize % SBootloaderSettings::BlockSize != 0 ||
      b.FlashSize > SBootloaderSettings::MaxFlashSize)
    return Fail(error, QStringLiteral("--flash-size needs a multiple of 64 from 64 to %1, not \"%2\"")
                         .arg(SBootloaderSettings::MaxFlashSize)
                         .arg(parser.value(set.FlashSize)));
  bool ok = false;
  const QString id = parser.value(set.BootId);
  b.Id = id.toUInt(&ok, 16);
  if (!ok || id.size() != 8)
    return Fail(error, QStringLiteral("--boot-id needs 8 hexadecimal digits, not \"%1\"").arg(id));
  if (parser.isSet(set.BootStall) && !Count(parser, set.BootStall, b.StallAfterBlocks, error))
    return false;
  if (parser.isSet(set.BootFail) && !Count(parser, set.BootFail, b.FailAfterBlocks, error))
    return false;
  options.ReplayFile = parser.value(set.Replay);
  if (parser.isSet(set.Replay) && options.ReplayFile.isEmpty())
    return Fail(error, QStringLiteral("--replay needs a packet log file"));
  return true;
}

void Configure(QCommandLineParser &parser, const SOptionSet &set)
{
  parser.setApplicationDescription(
    "The virtual Zolt ECU: serves the ECU's protocol on a pseudo-terminal.\n"
    "Prints \"port: /dev/pts/N\" as its first line, then serves until SIGTERM or SIGINT.");
  parser.addOptions(set.All());
}

}   // namespace

bool ParseEcuOptions(const QStringList &arguments, SEcuOptions &options, QString *error)
{
  SOptionSet set;
  QCommandLineParser parser;
  Configure(parser, set);
  if (!parser.parse(arguments))
    return Fail(error, parser.errorText());
  if (!parser.positionalArguments().isEmpty())
    return Fail(error, QStringLiteral("unexpected argument \"%1\"").arg(parser.positionalArguments().first()));
  options.Help = parser.isSet(set.Help);
  options.StateFile = parser.value(set.State);
  options.Pacing = !parser.isSet(set.NoPacing);

  SEcuDeviceSettings &d = options.Device;
  SFaultSettings &f = d.Faults;
  int seed = 0;
  if (!Count(parser, set.LiveInterval, d.LiveIntervalMs, error) ||
      !Count(parser, set.ExtraInterval, d.ExtraIntervalMs, error) ||
      !Probability(parser, set.Drop, f.DropAnswers, error) || !Probability(parser, set.Corrupt, f.Corrupt, error) ||
      !Probability(parser, set.Garbage, f.Garbage, error) || !Count(parser, set.Delay, f.AnswerDelayMs, error) ||
      !Count(parser, set.Seed, seed, error))
    return false;
  f.Seed = static_cast<std::uint32_t>(seed);
  f.WrongEchoFirst = parser.isSet(set.WrongEcho);
  f.SilentAfterMs = -1;
  if (parser.isSet(set.Silent) && !Count(parser, set.Silent, f.SilentAfterMs, error))
    return false;

  const QByteArray version = parser.value(set.Version).toLatin1();
  if (version.size() > 12)
    return Fail(error, QStringLiteral("--version-text holds at most 12 characters"));
  d.Identity.Version = version.toStdString();
  bool ok = false;
  const QString id = parser.value(set.Id);
  d.Identity.Id = id.toUInt(&ok, 16);
  if (!ok || id.size() != 8)
    return Fail(error, QStringLiteral("--identifier needs 8 hexadecimal digits, not \"%1\"").arg(id));
  int flags = 0;
  if (!Count(parser, set.Flags, flags, error) || flags > 255)
    return Fail(error, QStringLiteral("--flags needs a number from 0 to 255"));
  d.Identity.Flags = static_cast<std::uint8_t>(flags);
  return ParseBootOptions(parser, set, options, error);
}

QString EcuHelpText()
{
  SOptionSet set;
  QCommandLineParser parser;
  Configure(parser, set);
  return parser.helpText();
}
