#include "datalog.h"

#include "deviceread.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace DataLog {

std::int32_t RecordCountForSize(qint64 size)
{
  if (size < SignatureSize)
    return 0;
  return std::int32_t(std::min<qint64>((size - SignatureSize) / RecordSize, INT32_MAX));
}

qint64 RecordOffset(std::int32_t index) { return SignatureSize + qint64(index) * RecordSize; }

bool ReadSignature(QIODevice &device)
{
  char head[SignatureSize];
  if (!device.seek(0) || device.read(head, SignatureSize) != SignatureSize)
    return false;
  return std::memcmp(head, Signature, SignatureSize) == 0;
}

void ClearLocalSlots(SInfo &record)
{
  record.Reserved2[0] = record.Reserved2[1] = 0;
  record.EcuIdentity.VersionTextRef = 0;
  record.EcuIdentity.IdTextRef = 0;
  std::memset(record.EcuIdentity.Reserved, 0, sizeof record.EcuIdentity.Reserved);
  std::memset(record.Reserved241, 0, sizeof record.Reserved241);
}

bool ReadRecord(QIODevice &device, std::int32_t index, SInfo &record)
{
  SInfo read;
  if (index < 0 || !ReadWholeRecord(device, RecordOffset(index), &read, RecordSize))
    return false;
  ClearLocalSlots(read);
  record = read;
  return true;
}

SInfo PrepareForWriting(const SInfo &live, std::int32_t recordNo)
{
  SInfo record = live;
  ClearLocalSlots(record);
  record.RecordNo = recordNo;
  return record;
}

QString AutoFileName(const QDateTime &local)
{
  return local.toString(QStringLiteral("dd_MM_yy_HH_mm_ss")) + QStringLiteral(".zlf");
}

bool TWriter::Open(const QString &path)
{
  Close();
  File.setFileName(path);
  if (!File.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
    return false;
  if (File.write(Signature, SignatureSize) != SignatureSize) {
    File.close();
    return false;
  }
  RecordNo = 1;
  return true;
}

bool TWriter::Append(const SInfo &live)
{
  if (!File.isOpen())
    return false;
  const SInfo record = PrepareForWriting(live, RecordNo);
  if (File.write(reinterpret_cast<const char *>(&record), RecordSize) != RecordSize)
    return false;
  ++RecordNo;
  return true;
}

void TWriter::Close()
{
  if (File.isOpen())
    File.close();
}

}   // namespace DataLog
