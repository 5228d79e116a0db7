#pragma once
// The ECU's memory kept across runs in one small binary file:
//   "ZOLTECU\0" | version u16 | body length u32 | body | CRC-16 of the body u16
// body: 3072 map bytes | 7 x (table length u8, 18 bytes) | 50 + 10 parameter bytes |
//       firmware length u32, firmware bytes. All numbers little-endian.

#include <QString>

class TEcuMemory;

class TEcuStateFile {
public:
  // Writes through a temporary file renamed into place, so a crash never leaves half a file.
  static bool Save(const TEcuMemory &memory, const QString &path, QString *error);
  // Leaves memory untouched unless the whole file is sound.
  static bool Load(TEcuMemory &memory, const QString &path, QString *error);

  static QByteArray Encode(const TEcuMemory &memory);
  static bool Decode(const QByteArray &bytes, TEcuMemory &memory, QString *error);
};
