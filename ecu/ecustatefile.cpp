#include "ecustatefile.h"

#include "ecumemory.h"

#include <QFile>
#include <QSaveFile>

#include <cstring>

namespace {

constexpr char Signature[8] = {'Z', 'O', 'L', 'T', 'E', 'C', 'U', '\0'};
constexpr int FormatVersion = 1;
constexpr int HeaderSize = 8 + 2 + 4;
constexpr int MaxFirmware = 1 << 20;

void PutLE(QByteArray &out, quint32 value, int width)
{
  for (int k = 0; k < width; ++k)
    out.append(static_cast<char>((value >> (8 * k)) & 0xFF));
}

quint32 GetLE(const char *at, int width)
{
  quint32 value = 0;
  for (int k = 0; k < width; ++k)
    value |= quint32(static_cast<quint8>(at[k])) << (8 * k);
  return value;
}

bool Fail(QString *error, const QString &text)
{
  if (error)
    *error = text;
  return false;
}

// Reads forward through the body and refuses to pass its end.
class TReader {
public:
  explicit TReader(const QByteArray &body) : Body(body) {}
  bool Take(int n, const char **at)
  {
    if (n < 0 || Pos + n > Body.size())
      return false;
    *at = Body.constData() + Pos;
    Pos += n;
    return true;
  }
  bool AtEnd() const { return Pos == Body.size(); }

private:
  const QByteArray &Body;
  qsizetype Pos = 0;
};

}   // namespace

QByteArray TEcuStateFile::Encode(const TEcuMemory &memory)
{
  QByteArray body;
  body.append(reinterpret_cast<const char *>(memory.Maps.data()), TEcuMemory::MapBytes);
  for (const auto &table : memory.Tables) {
    char slot[TEcuMemory::MaxTableSize] = {};
    std::memcpy(slot, table.data(), table.size());
    body.append(static_cast<char>(table.size()));
    body.append(slot, sizeof slot);
  }
  body.append(reinterpret_cast<const char *>(memory.Params.data()), TEcuMemory::ParamsSize);
  body.append(reinterpret_cast<const char *>(memory.ParamsExt.data()), TEcuMemory::ParamsExtSize);
  PutLE(body, quint32(memory.Firmware.size()), 4);
  body.append(memory.Firmware);

  QByteArray out(Signature, sizeof Signature);
  PutLE(out, FormatVersion, 2);
  PutLE(out, quint32(body.size()), 4);
  out.append(body);
  PutLE(out, qChecksum(body), 2);
  return out;
}

bool TEcuStateFile::Decode(const QByteArray &bytes, TEcuMemory &memory, QString *error)
{
  if (bytes.size() < HeaderSize + 2 || std::memcmp(bytes.constData(), Signature, sizeof Signature) != 0)
    return Fail(error, QStringLiteral("not a zolt-ecu state file"));
  if (GetLE(bytes.constData() + 8, 2) != FormatVersion)
    return Fail(error, QStringLiteral("unknown state file version %1").arg(GetLE(bytes.constData() + 8, 2)));
  const quint32 bodyLength = GetLE(bytes.constData() + 10, 4);
  if (qint64(bodyLength) != bytes.size() - HeaderSize - 2)
    return Fail(error, QStringLiteral("length %1 does not match the file (truncated or padded)").arg(bodyLength));
  const QByteArray body = bytes.mid(HeaderSize, bodyLength);
  if (qChecksum(body) != GetLE(bytes.constData() + HeaderSize + bodyLength, 2))
    return Fail(error, QStringLiteral("check sum mismatch"));

  TEcuMemory loaded;
  TReader in(body);
  const char *at = nullptr;
  if (!in.Take(TEcuMemory::MapBytes, &at))
    return Fail(error, QStringLiteral("map image cut short"));
  std::memcpy(loaded.Maps.data(), at, TEcuMemory::MapBytes);
  for (auto &table : loaded.Tables) {
    if (!in.Take(1 + TEcuMemory::MaxTableSize, &at))
      return Fail(error, QStringLiteral("tables cut short"));
    const int n = static_cast<quint8>(at[0]);
    if (n < 1 || n > TEcuMemory::MaxTableSize)
      return Fail(error, QStringLiteral("table length %1 out of range").arg(n));
    table.assign(reinterpret_cast<const std::uint8_t *>(at + 1), reinterpret_cast<const std::uint8_t *>(at + 1 + n));
  }
  if (!in.Take(TEcuMemory::ParamsSize, &at))
    return Fail(error, QStringLiteral("parameters cut short"));
  std::memcpy(loaded.Params.data(), at, TEcuMemory::ParamsSize);
  if (!in.Take(TEcuMemory::ParamsExtSize, &at))
    return Fail(error, QStringLiteral("extra parameters cut short"));
  std::memcpy(loaded.ParamsExt.data(), at, TEcuMemory::ParamsExtSize);
  if (!in.Take(4, &at))
    return Fail(error, QStringLiteral("firmware length missing"));
  const quint32 firmwareLength = GetLE(at, 4);
  if (firmwareLength > MaxFirmware || !in.Take(int(firmwareLength), &at) || !in.AtEnd())
    return Fail(error, QStringLiteral("firmware length %1 does not match the file").arg(firmwareLength));
  loaded.Firmware = QByteArray(at, firmwareLength);

  memory = loaded;
  return true;
}

bool TEcuStateFile::Save(const TEcuMemory &memory, const QString &path, QString *error)
{
  QSaveFile out(path);
  if (!out.open(QIODevice::WriteOnly))
    return Fail(error, out.errorString());
  const QByteArray bytes = Encode(memory);
  if (out.write(bytes) != bytes.size())
    return Fail(error, out.errorString());
  if (!out.commit())
    return Fail(error, out.errorString());
  return true;
}

bool TEcuStateFile::Load(TEcuMemory &memory, const QString &path, QString *error)
{
  QFile in(path);
  if (!in.open(QIODevice::ReadOnly))
    return Fail(error, in.errorString());
  // Far more than any sound state file, so a wrong file given by mistake is not read whole.
  const QByteArray bytes = in.read(HeaderSize + 2 + TEcuMemory::MapBytes + 4096 + MaxFirmware);
  if (!in.atEnd())
    return Fail(error, QStringLiteral("file too large for a state file"));
  return Decode(bytes, memory, error);
}
