#pragma once
// A packet log (Log.zlp, 104-byte SPacket records of what the manager received) played back by
// the ECU, so that a technician's session can be reproduced at the desk: the recorded packets of
// each type come out again in the order they were recorded.

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <deque>
#include <initializer_list>
#include <map>
#include <vector>

class TPacketReplay {
public:
  // Takes the records of a packet log. A file whose records are not packet records (a damaged or
  // foreign file) is refused with the reason; a partial record at the end, left by a program that
  // stopped while writing, is ignored.
  bool Load(const QByteArray &bytes, QString *error);
  bool LoadFile(const QString &path, QString *error);

  // The next recorded payload of this type, taken out of the log; false when none is left.
  bool Next(std::uint8_t type, std::vector<std::uint8_t> &payload);
  // The next recorded packet of any of these types, in the order they were recorded.
  bool NextOf(std::initializer_list<std::uint8_t> types, std::uint8_t &type, std::vector<std::uint8_t> &payload);
  int Remaining(std::uint8_t type) const;

  int RecordCount() const { return Records; }
  int TrailingBytes() const { return Trailing; }

private:
  struct SRecorded {
    int Index;
    std::vector<std::uint8_t> Payload;
  };
  std::map<std::uint8_t, std::deque<SRecorded>> ByType;
  int Records = 0;
  int Trailing = 0;
};
