#include "calibrationtransfer.h"

#include "calibration.h"
#include "communication.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace CalibrationTransfer {

namespace {

constexpr int PointsPerHalf = 32;
double MapFactor(int calibration) { return calibration <= 3 ? 2.0 : 50.0; }
int SlotIndex(int table) { return table < 3 ? table : table - 1; }   // tables 1,2,3,6,8,9 -> 0..5

}   // namespace

std::uint8_t *TableSlot(SCalibrationImage &image, int table)
{
  return table == 3 ? image.Table4.data() : image.Tables[std::size_t(SlotIndex(table))].data();
}

const std::uint8_t *TableSlot(const SCalibrationImage &image, int table)
{
  return table == 3 ? image.Table4.data() : image.Tables[std::size_t(SlotIndex(table))].data();
}

int TableCapacity(int table) { return table == 3 ? 16 : SCalibrationImage::TableSlot; }

std::uint8_t EncodeValue(double value, double factor, bool isSigned)
{
  // To the nearest byte, not truncated: the injection maps hold steps of 0.025 ms in bytes of
  // 0.02 ms, and truncation turned 0.875 (read from byte 44) into byte 43, so every read and
  // write without an edit moved the customer's map. Rounded, what was read is written back as
  // it came; for the other tables the values are whole units and both agree.
  double scaled = std::floor(value * factor + 0.5);
  if (std::isnan(scaled))
    scaled = 0;
  if (isSigned)
    return std::uint8_t(std::int8_t(std::clamp(scaled, -128.0, 127.0)));
  return std::uint8_t(std::clamp(scaled, 0.0, 255.0));
}

double DecodeByte(std::uint8_t byte, double factor, bool isSigned)
{
  const double raw = isSigned ? double(std::int8_t(byte)) : double(byte);
  return raw / factor;
}

SCalibrationImage Encode(const TAllCalibration &calibrations)
{
  SCalibrationImage image;
  for (int c = 0; c < calibrations.WorkCount(); ++c) {
    const TCalibration *cal = calibrations.GetCalibration(0, c);
    for (int f = 0; f < cal->Count(); f += 2)
      for (int half = 0; half < 2 && f + half < cal->Count(); ++half) {
        const TFlow *flow = cal->Flow(f + half);
        std::uint8_t *out = image.Block(c, f) + half * PointsPerHalf;
        for (int i = 0; i < flow->Count(); ++i)
          out[i] = EncodeValue(flow->Value(i), MapFactor(c), false);
      }
  }
  for (std::size_t t = 0; t < Tables.size(); ++t) {
    const STable &table = Tables[t];
    const TFlow *flow = calibrations.GetCalibration(1, table.Other)->Flow(0);
    std::uint8_t *out = TableSlot(image, int(t));
    for (int i = 0; i < std::min(flow->Count(), TableCapacity(int(t))); ++i)
      out[i] = EncodeValue(flow->Value(i), table.Factor, table.Signed);
  }
  return image;
}

void Decode(const SCalibrationImage &image, TAllCalibration &calibrations)
{
  double values[PointsPerHalf];
  for (int c = 0; c < calibrations.WorkCount(); ++c) {
    TCalibration *cal = calibrations.GetCalibration(0, c);
    for (int f = 0; f < cal->Count(); f += 2)
      for (int half = 0; half < 2 && f + half < cal->Count(); ++half) {
        const std::uint8_t *in = image.Block(c, f) + half * PointsPerHalf;
        for (int i = 0; i < PointsPerHalf; ++i)
          values[i] = DecodeByte(in[i], MapFactor(c), false);
        TFlow *flow = cal->Flow(f + half);
        flow->SetPoints(values, nullptr, flow->Count(), 0);
      }
  }
  for (std::size_t t = 0; t < Tables.size(); ++t) {
    const STable &table = Tables[t];
    const std::uint8_t *in = TableSlot(image, int(t));
    for (int i = 0; i < TableCapacity(int(t)); ++i)
      values[i] = DecodeByte(in[i], table.Factor, table.Signed);
    TFlow *flow = calibrations.GetCalibration(1, table.Other)->Flow(0);
    flow->SetPoints(values, nullptr, std::min(flow->Count(), TableCapacity(int(t))), 0);
  }
}

QString FirstDifference(const SCalibrationImage &written, const SCalibrationImage &readBack)
{
  for (int f = 0; f < 16; f += 2)
    for (int c = 0; c < SCalibrationImage::Maps; ++c)
      for (int half = 0; half < 2; ++half) {
        const int at = half * PointsPerHalf;
        if (std::memcmp(written.Block(c, f) + at, readBack.Block(c, f) + at, 27) != 0)
          return QCoreApplication::translate("TCalibrationTransfer", "map %1, flow %2").arg(c + 1).arg(f + half + 1);
      }
  for (std::size_t t = 0; t < Tables.size(); ++t)
    if (std::memcmp(TableSlot(written, int(t)), TableSlot(readBack, int(t)), std::size_t(Tables[t].Size)) != 0)
      return QCoreApplication::translate("TCalibrationTransfer", "table %1").arg(Tables[t].Number);
  return {};
}

}   // namespace CalibrationTransfer

using namespace CalibrationTransfer;

TCalibrationTransfer::TCalibrationTransfer(TCommunication &link, std::function<void(int)> progress,
                                           std::function<bool()> cancelled)
    : Link(link), Progress(std::move(progress)), Cancelled(std::move(cancelled))
{
}

template <typename F> TCalibrationTransfer::EResult TCalibrationTransfer::Repeat(F &&request, const QString &what)
{
  for (int attempt = 0; attempt < MaxAttempts; ++attempt) {
    if (Cancelled && Cancelled())
      return EResult::Cancelled;
    if (request())
      return EResult::Done;
  }
  Failed = what;
  return EResult::NoAnswer;
}

TCalibrationTransfer::EResult TCalibrationTransfer::Read(SCalibrationImage &image)
{
  image = SCalibrationImage{};
  int step = 0;
  for (int f = 0; f < 16; f += 2)
    for (int c = 0; c < SCalibrationImage::Maps; ++c) {
      std::uint8_t buffer[SCalibrationImage::BlockSize];
      const EResult r = Repeat(
          [&] {
            // A short answer must never leave the previous block's bytes behind.
            std::memset(buffer, 0, sizeof buffer);
            return Link.ReadCalibrationBlock(buffer, sizeof buffer, std::uint8_t(c), std::uint8_t(f)) > 0;
          },
          QCoreApplication::translate("TCalibrationTransfer", "map %1, flows %2 and %3").arg(c + 1).arg(f + 1).arg(f + 2));
      if (r != EResult::Done)
        return r;
      std::memcpy(image.Block(c, f), buffer, sizeof buffer);
      Progress(++step);
    }
  for (std::size_t t = 0; t < Tables.size(); ++t) {
    std::uint8_t buffer[SCalibrationImage::TableSlot];
    const int capacity = TableCapacity(int(t));
    const EResult r = Repeat(
        [&] {
          std::memset(buffer, 0, sizeof buffer);
          return Link.ReadTable(buffer, capacity, Tables[t].Number);
        },
        QCoreApplication::translate("TCalibrationTransfer", "table %1").arg(Tables[t].Number));
    if (r != EResult::Done)
      return r;
    std::memcpy(TableSlot(image, int(t)), buffer, std::size_t(capacity));
    Progress(++step);
  }
  return EResult::Done;
}

TCalibrationTransfer::EResult TCalibrationTransfer::Write(const SCalibrationImage &image)
{
  int step = 0;
  for (int f = 0; f < 16; f += 2)
    for (int c = 0; c < SCalibrationImage::Maps; ++c) {
      const EResult r = Repeat(
          [&] { return Link.WriteCalibrationBlock(image.Block(c, f), SCalibrationImage::BlockSize, std::uint8_t(c), std::uint8_t(f)); },
          QCoreApplication::translate("TCalibrationTransfer", "map %1, flows %2 and %3").arg(c + 1).arg(f + 1).arg(f + 2));
      if (r != EResult::Done)
        return r;
      Progress(++step);
    }
  for (std::size_t t = 0; t < Tables.size(); ++t) {
    const EResult r = Repeat([&] { return Link.WriteTable(TableSlot(image, int(t)), Tables[t].Size, Tables[t].Number); },
                             QCoreApplication::translate("TCalibrationTransfer", "table %1").arg(Tables[t].Number));
    if (r != EResult::Done)
      return r;
    Progress(++step);
  }
  return EResult::Done;
}
