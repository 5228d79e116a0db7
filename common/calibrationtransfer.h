#pragma once
// Calibration transfer between the model and the ECU: the 48 map blocks and 7 tables, their
// byte scaling, the order of the requests, bounded repetitions, cancel, and the read-back check
// after a write.

#include <QString>
#include <array>
#include <cstdint>
#include <functional>

class TAllCalibration;
class TCommunication;

// The calibration memory as it travels: six maps of eight 64-byte blocks, and the tables.
struct SCalibrationImage {
  static constexpr int BlockSize = 64;
  static constexpr int MapSize = 8 * BlockSize;
  static constexpr int Maps = 6;
  static constexpr int TableSlot = 18;

  std::array<std::uint8_t, Maps * MapSize> Blocks{};
  // Tables 1, 2, 3, 6, 8 and 9 in this order, 18 bytes each; table 4 in a slot of its own.
  std::array<std::array<std::uint8_t, TableSlot>, 6> Tables{};
  std::array<std::uint8_t, 16> Table4{};

  std::uint8_t *Block(int calibration, int firstFlow) { return Blocks.data() + calibration * MapSize + (firstFlow / 2) * BlockSize; }
  const std::uint8_t *Block(int calibration, int firstFlow) const
  {
    return Blocks.data() + calibration * MapSize + (firstFlow / 2) * BlockSize;
  }
};

namespace CalibrationTransfer {

// One table of the transfer: its number on the wire, the other calibration it holds, the bytes
// written, its byte factor and whether its bytes are signed.
struct STable {
  std::uint8_t Number;
  int Other;
  int Size;
  double Factor;
  bool Signed;
};
inline constexpr std::array<STable, 7> Tables{{{1, 0, 18, 2.0, false},
                                               {2, 1, 18, 2.0, false},
                                               {3, 2, 16, 2.0, false},
                                               {4, 3, 16, 2.0, true},
                                               {6, 5, 18, 10.0, false},
                                               {8, 6, 16, 1.0, false},
                                               {9, 7, 16, 1.0, false}}};
inline constexpr int Steps = 48 + 7;

std::uint8_t *TableSlot(SCalibrationImage &image, int table);   // index into Tables
const std::uint8_t *TableSlot(const SCalibrationImage &image, int table);
int TableCapacity(int table);                                   // 16 for table 4, 18 otherwise

// value x factor to the nearest whole byte value, held inside the byte: a value above a byte's
// range is sent as the byte's maximum, never wrapped into a small number.
std::uint8_t EncodeValue(double value, double factor, bool isSigned);
double DecodeByte(std::uint8_t byte, double factor, bool isSigned);

SCalibrationImage Encode(const TAllCalibration &calibrations);
// Stores the image through SetPoints: flows that are not enabled keep their values.
void Decode(const SCalibrationImage &image, TAllCalibration &calibrations);

// Where a written image and the one read back differ, in words for the user; empty when the
// ECU holds what was sent (bytes the ECU ignores are not compared).
QString FirstDifference(const SCalibrationImage &written, const SCalibrationImage &readBack);

}   // namespace CalibrationTransfer

class TCalibrationTransfer {
public:
  // Each request is made this many times before the transfer gives up; every call already
  // resends four times within itself.
  static constexpr int MaxAttempts = 3;

  enum class EResult { Done, Cancelled, NoAnswer };

  // progress(step) after each of the 55 exchanges; cancelled() is asked before each request.
  TCalibrationTransfer(TCommunication &link, std::function<void(int)> progress, std::function<bool()> cancelled);

  EResult Read(SCalibrationImage &image);
  EResult Write(const SCalibrationImage &image);
  // Which block or table failed, in words, after NoAnswer.
  const QString &FailedAt() const { return Failed; }

private:
  template <typename F> EResult Repeat(F &&request, const QString &what);

  TCommunication &Link;
  std::function<void(int)> Progress;
  std::function<bool()> Cancelled;
  QString Failed;
};
