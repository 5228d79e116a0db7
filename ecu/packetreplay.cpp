#include "packetreplay.h"

#include "communication.h"
#include "framing.h"
#include "records.h"

#include <QFile>

#include <algorithm>
#include <cstring>

namespace {

// Days of recording; anything larger is not a packet log given on purpose.
constexpr qint64 MaxLogBytes = qint64(512) << 20;

bool Fail(QString *error, const QString &text)
{
  if (error)
    *error = text;
  return false;
}

// Why a record cannot have been written by the manager's packet log, or empty when it can.
QString RecordFault(const SPacket &p)
{
  if (p.Status != SPacket::Waiting)
    return QStringLiteral("status %1 instead of 2").arg(p.Status);
  if (p.Length < 0 || p.Length > Framing::MaxPayload)
    return QStringLiteral("payload length %1 outside 0..%2").arg(p.Length).arg(Framing::MaxPayload);
  if (!TCommunication::HasSlot(p.Type))
    return QStringLiteral("packet type %1 is never logged").arg(p.Type);
  if (p.Reserved[0] != 0 || p.Reserved[1] != 0)
    return QStringLiteral("reserved bytes are not zero");
  if (std::any_of(p.Data + p.Length, p.Data + SPacket::DataSize, [](std::uint8_t b) { return b != 0; }))
    return QStringLiteral("bytes after the payload are not zero");
  return {};
}

}   // namespace

bool TPacketReplay::Load(const QByteArray &bytes, QString *error)
{
  constexpr qsizetype recordSize = sizeof(SPacket);
  const qsizetype count = bytes.size() / recordSize;
  if (count == 0)
    return Fail(error, bytes.isEmpty() ? QStringLiteral("the packet log is empty")
                                       : QStringLiteral("the packet log holds no complete record (%1 bytes)").arg(bytes.size()));
  std::map<std::uint8_t, std::deque<SRecorded>> byType;
  for (qsizetype k = 0; k < count; ++k) {
    SPacket p;
    std::memcpy(&p, bytes.constData() + k * recordSize, sizeof p);
    const QString fault = RecordFault(p);
    if (!fault.isEmpty())
      return Fail(error, QStringLiteral("record %1 (offset %2) is not a packet log record: %3")
                           .arg(k + 1)
                           .arg(k * recordSize)
                           .arg(fault));
    byType[p.Type].push_back({int(k), std::vector<std::uint8_t>(p.Data, p.Data + p.Length)});
  }
  ByType = std::move(byType);
  Records = int(count);
  Trailing = int(bytes.size() - count * recordSize);
  return true;
}

bool TPacketReplay::LoadFile(const QString &path, QString *error)
{
  QFile in(path);
  if (!in.open(QIODevice::ReadOnly))
    return Fail(error, in.errorString());
  if (in.size() > MaxLogBytes)
    return Fail(error, QStringLiteral("file too large for a packet log (%1 bytes)").arg(in.size()));
  const QByteArray bytes = in.readAll();
  if (in.error() != QFileDevice::NoError)
    return Fail(error, in.errorString());
  return Load(bytes, error);
}

bool TPacketReplay::Next(std::uint8_t type, std::vector<std::uint8_t> &payload)
{
  const auto it = ByType.find(type);
  if (it == ByType.end() || it->second.empty())
    return false;
  payload = std::move(it->second.front().Payload);
  it->second.pop_front();
  return true;
}

bool TPacketReplay::NextOf(std::initializer_list<std::uint8_t> types, std::uint8_t &type,
                           std::vector<std::uint8_t> &payload)
{
  int best = -1;
  for (const std::uint8_t t : types) {
    const auto it = ByType.find(t);
    if (it != ByType.end() && !it->second.empty() && (best < 0 || it->second.front().Index < best)) {
      best = it->second.front().Index;
      type = t;
    }
  }
  return best >= 0 && Next(type, payload);
}

int TPacketReplay::Remaining(std::uint8_t type) const
{
  const auto it = ByType.find(type);
  return it == ByType.end() ? 0 : int(it->second.size());
}
