#include "packetlog.h"

#include "deviceread.h"

#include <QByteArray>
#include <algorithm>
#include <climits>

namespace PacketLog {

std::int32_t RecordCountForSize(qint64 size)
{
  if (size <= 0)
    return 0;
  return std::int32_t(std::min<qint64>(size / RecordSize, INT32_MAX));
}

bool ReadRecord(QIODevice &device, std::int32_t index, SPacket &record)
{
  SPacket read;
  if (index < 0 || !ReadWholeRecord(device, qint64(index) * RecordSize, &read, RecordSize))
    return false;
  record = read;
  return true;
}

QString PayloadHex(const SPacket &record)
{
  const int length = std::clamp<std::int32_t>(record.Length, 0, SPacket::DataSize);
  return QString::fromLatin1(
      QByteArray(reinterpret_cast<const char *>(record.Data), length).toHex().toUpper());
}

}   // namespace PacketLog
