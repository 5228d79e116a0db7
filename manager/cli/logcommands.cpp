// zolt-cli commands over recorded logs: log (a data log's records as rows) and packets (a
// packet log, one line per packet).

#include "cli.h"
#include "datalog.h"
#include "liverecord.h"
#include "packetlog.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <cmath>

namespace {

bool OpenForReading(QFile &file, const QString &path)
{
  file.setFileName(path);
  if (!file.open(QIODevice::ReadOnly)) {
    Fail(QStringLiteral("%1: %2").arg(path, file.errorString()));
    return false;
  }
  return true;
}

// One record as a JSON object with the CSV columns as keys; a number that is not finite (a
// damaged record) becomes null, which JSON can carry.
QJsonObject JsonRow(const QStringList &names, const QString &row)
{
  const QStringList cells = row.split(QLatin1Char(','));
  QJsonObject object;
  for (qsizetype k = 0; k < names.size() && k < cells.size(); ++k) {
    bool ok = false;
    const double value = cells[k].toDouble(&ok);
    object.insert(names[k], ok && std::isfinite(value) ? QJsonValue(value) : QJsonValue());
  }
  return object;
}

void NoteTrailingBytes(const QString &path, qint64 bytes)
{
  if (bytes > 0)
    Err() << "zolt-cli: " << path << ": " << bytes << " trailing bytes of a partial record ignored" << Qt::endl;
}

}   // namespace

int CmdLog(const SCliArgs &args)
{
  if (args.Operands.size() != 1)
    return Fail(QStringLiteral("log needs FILE.zlf"));
  const QString format = args.Format.isEmpty() ? QStringLiteral("csv") : args.Format;
  if (format != QLatin1String("csv") && format != QLatin1String("json"))
    return Fail(QStringLiteral("log prints csv or json, not \"%1\"").arg(format));
  const QString &path = args.Operands.constFirst();
  QFile file;
  if (!OpenForReading(file, path))
    return 1;
  if (!DataLog::ReadSignature(file))
    return Fail(QStringLiteral("%1: not a data log (it does not start with %2)").arg(path, QLatin1String(DataLog::Signature)));
  const std::int32_t count = DataLog::RecordCountForSize(file.size());
  const QString header = QStringLiteral("RecordNo,") + LiveCsvHeader();
  const QStringList names = header.split(QLatin1Char(','));
  const bool json = format == QLatin1String("json");
  if (json)
    Out() << "{\"records\": [";
  else
    Out() << header << '\n';
  const std::int32_t rows = args.Count >= 0 ? std::min<std::int32_t>(count, args.Count) : count;
  for (std::int32_t k = 0; k < rows; ++k) {
    SInfo record;
    if (!DataLog::ReadRecord(file, k, record))
      return Fail(QStringLiteral("%1: record %2 could not be read").arg(path).arg(k + 1));
    const QString row = QString::number(record.RecordNo) + QLatin1Char(',') + LiveCsvRow(record);
    if (json)
      Out() << (k ? ",\n  " : "\n  ") << QJsonDocument(JsonRow(names, row)).toJson(QJsonDocument::Compact);
    else
      Out() << row << '\n';
  }
  if (json)
    Out() << (rows ? "\n" : "") << "]}\n";
  NoteTrailingBytes(path, file.size() - DataLog::RecordOffset(count));
  return 0;
}

int CmdPackets(const SCliArgs &args)
{
  if (args.Operands.size() != 1)
    return Fail(QStringLiteral("packets needs FILE.zlp"));
  const QString &path = args.Operands.constFirst();
  QFile file;
  if (!OpenForReading(file, path))
    return 1;
  const std::int32_t count = PacketLog::RecordCountForSize(file.size());
  const std::int32_t rows = args.Count >= 0 ? std::min<std::int32_t>(count, args.Count) : count;
  for (std::int32_t k = 0; k < rows; ++k) {
    SPacket record;
    if (!PacketLog::ReadRecord(file, k, record))
      return Fail(QStringLiteral("%1: packet %2 could not be read").arg(path).arg(k));
    const QString payload = PacketLog::PayloadHex(record);
    Out() << k << ' ' << record.Type << ' ' << record.Length << ' '
          << (payload.isEmpty() ? QStringLiteral("-") : payload) << '\n';
  }
  NoteTrailingBytes(path, file.size() - qint64(count) * PacketLog::RecordSize);
  return 0;
}
