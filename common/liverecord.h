#pragma once
// Decoding of the ECU's live data packet into the live record, and the record's time stamps.

#include "records.h"

#include <QDateTime>
#include <QString>

// The ECU identity read with the version request.
struct SVersionFirmware {
  QString Version;    // up to 12 characters
  QString Id;         // 8 upper-case hexadecimal digits
  std::uint8_t Flags = 0;

  bool operator==(const SVersionFirmware &) const = default;
  // "F" for bit 0, followed by "I" for bit 1: what the status bar shows.
  QString FlagLetters() const;
};

// Identity fields of the answer to the version request (its payload).
SVersionFirmware DecodeVersionAnswer(const SPacket &answer);

// Sets the measured fields (offsets 0 to 116) and AFR of info from a type-1 answer record.
// Identity, Valid, RecordNo, ReadTime and Raw are left alone.
void DecodeLivePacket(const SPacket &answer, double lambdaCorrection, SInfo &info);

// Days since 1899-12-30 in local time, the time of day as the fraction.
double ToDayCount(const QDateTime &local);
QDateTime FromDayCount(double days);

// The CSV columns of a live record, in layout order, and one record as a row of them.
QString LiveCsvHeader();
QString LiveCsvRow(const SInfo &info);
