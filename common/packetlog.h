#pragma once
// Reading the packet log (Log.zlp): 104-byte packet records back to back, no header. The writer
// is TCommunication; the Debug window and zolt-cli read it with these functions.

#include "records.h"

#include <QIODevice>
#include <QString>
#include <cstdint>

namespace PacketLog {

inline constexpr int RecordSize = int(sizeof(SPacket));

// Whole records in a file of that size; a trailing partial record is ignored.
std::int32_t RecordCountForSize(qint64 size);
// Record index (0-based): true only for all 104 bytes; on failure record is untouched.
bool ReadRecord(QIODevice &device, std::int32_t index, SPacket &record);
// The payload bytes the record claims (Length limited to 0 .. 96) as upper-case hexadecimal,
// two digits a byte, nothing between them.
QString PayloadHex(const SPacket &record);

}   // namespace PacketLog
