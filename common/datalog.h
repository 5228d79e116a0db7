#pragma once
// The data log (.zlf): the signature "ZFL002" and then 256-byte live records, numbered from 1.
// Plain functions over a device, shared by the logging window, its playback, zolt-cli and tests.

#include "records.h"

#include <QDateTime>
#include <QFile>
#include <QIODevice>
#include <QString>
#include <cstdint>

namespace DataLog {

inline constexpr char Signature[] = "ZFL002";
inline constexpr int SignatureSize = 6;
inline constexpr int RecordSize = int(sizeof(SInfo));
static_assert(sizeof(Signature) - 1 == SignatureSize);

// Whole records in a file of that size. A partial last record (a recording cut off by a power
// failure) does not count: the RecordNo of the last record may be the damaged part of such a
// file, so the count never comes from it.
std::int32_t RecordCountForSize(qint64 size);
qint64 RecordOffset(std::int32_t index);

// Whether the device starts with the signature (reads from position 0, leaves the position after it).
bool ReadSignature(QIODevice &device);

// Record index (0-based) from the device: true only for all 256 bytes. The two text references
// and the reserved bytes come back zero whatever the file holds. On failure record is untouched.
bool ReadRecord(QIODevice &device, std::int32_t index, SInfo &record);

// The record as the log keeps it: RecordNo set, text references and reserved bytes zero.
SInfo PrepareForWriting(const SInfo &live, std::int32_t recordNo);
// Text references and reserved bytes zeroed: the slots mean nothing outside the process that filled them.
void ClearLocalSlots(SInfo &record);

// "dd_mm_yy_hh_nn_ss.zlf" for that local time, 24-hour clock.
QString AutoFileName(const QDateTime &local);

// A recording: the file is created (replacing one of that name), the signature written, then one
// record per Append, each handed to the file at once (unbuffered), so what was recorded up to a
// crash stays on disk. Not a temporary file renamed at the end for the same reason: a drive of an
// hour would be lost whole by a crash near its end.
class TWriter {
public:
  bool Open(const QString &path);
  bool IsOpen() const { return File.isOpen(); }
  // Writes the live record as number NextRecordNo() and advances the number; false on a write error.
  bool Append(const SInfo &live);
  void Close();
  std::int32_t NextRecordNo() const { return RecordNo; }
  QString ErrorString() const { return File.errorString(); }
  QString FileName() const { return File.fileName(); }

private:
  QFile File;
  std::int32_t RecordNo = 1;
};

}   // namespace DataLog
