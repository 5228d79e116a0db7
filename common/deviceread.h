#pragma once
// Reading one fixed-size record from a file: a device may hand over fewer bytes than asked per
// call, and only a whole record counts.

#include <QIODevice>

inline bool ReadWholeRecord(QIODevice &device, qint64 offset, void *record, qint64 size)
{
  if (offset < 0 || !device.seek(offset))
    return false;
  qint64 got = 0;
  while (got < size) {
    const qint64 n = device.read(static_cast<char *>(record) + got, size - got);
    if (n <= 0)
      return false;
    got += n;
  }
  return true;
}
