#include "ecuoptions.h"

#include <QCommandLineParser>

namespace {

struct SOptionSet {
  QCommandLineOption Help{{"h", "help"}, "Show this help and exit."};
  QCommandLineOption State{"state", "Keep calibrations and parameters in FILE: loaded at start (a missing file is "
                                    "created with the defaults), saved after every write request and at exit.",
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

  QList<QCommandLineOption> All() const
  {
    return {Help, State, LiveInterval, ExtraInterval, NoPacing, Drop, Corrupt, WrongEcho, Delay, Silent, Garbage,
            Seed, Version, Id, Flags};
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
  return true;
}

QString EcuHelpText()
{
  SOptionSet set;
  QCommandLineParser parser;
  Configure(parser, set);
  return parser.helpText();
}
