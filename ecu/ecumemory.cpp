#include "ecumemory.h"

#include "calibration.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

std::uint8_t ToByte(double value, int lo, int hi)
{
  return static_cast<std::uint8_t>(std::clamp(static_cast<int>(std::lround(value)), lo, hi));
}

void Put16(std::uint8_t *at, int value)
{
  at[0] = static_cast<std::uint8_t>(value & 0xFF);
  at[1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
}

// 0 at 700 rpm, 1 from 4000 rpm on, logarithmic in between like the map axis itself.
double SpeedShare(double rpm)
{
  return std::clamp(std::log(rpm / 700.0) / std::log(4000.0 / 700.0), 0.0, 1.0);
}

}   // namespace

std::uint16_t RpmToPeriod(int rpm)
{
  return static_cast<std::uint16_t>(std::min(10'000'000 / std::max(rpm, 1), 0xFFFF));
}

TEcuMemory::TEcuMemory() { LoadDefaults(); }

void TEcuMemory::LoadDefaults()
{
  DefaultMaps();
  DefaultTables();
  DefaultParams();
  Firmware.clear();
}

int TEcuMemory::BlockOffset(int calibration, int firstFlow)
{
  if (calibration < 0 || calibration >= MapCount || firstFlow < 0 || firstFlow >= FlowsPerMap ||
      firstFlow % 2 != 0)
    return -1;
  return calibration * MapSize + (firstFlow / 2) * BlockSize;
}

int TEcuMemory::TableSlot(int table)
{
  const auto it = std::find(TableNumbers.begin(), TableNumbers.end(), table);
  return it == TableNumbers.end() ? -1 : static_cast<int>(it - TableNumbers.begin());
}

int TEcuMemory::DefaultTableSize(int table)
{
  switch (table) {
  case 1: case 2: case 6: return 18;
  case 3: case 4: case 8: case 9: return 16;
  default: return 0;
  }
}

bool TEcuMemory::ReadBlock(int calibration, int firstFlow, std::uint8_t *dest) const
{
  const int offset = BlockOffset(calibration, firstFlow);
  if (offset < 0)
    return false;
  std::memcpy(dest, Maps.data() + offset, BlockSize);
  return true;
}

bool TEcuMemory::WriteBlock(int calibration, int firstFlow, const std::uint8_t *src)
{
  const int offset = BlockOffset(calibration, firstFlow);
  if (offset < 0)
    return false;
  std::memcpy(Maps.data() + offset, src, BlockSize);
  return true;
}

std::uint8_t TEcuMemory::MapPoint(int calibration, int flow, int point) const
{
  const int offset = BlockOffset(calibration, flow & ~1);
  if (offset < 0 || point < 0 || point >= PointsPerFlow)
    return 0;
  return Maps[offset + (flow % 2) * FlowOffsetInBlock + point];
}

const std::vector<std::uint8_t> *TEcuMemory::Table(int table) const
{
  const int slot = TableSlot(table);
  return slot < 0 ? nullptr : &Tables[slot];
}

bool TEcuMemory::WriteTable(int table, const std::uint8_t *src, int count)
{
  const int slot = TableSlot(table);
  if (slot < 0 || count < 1 || count > MaxTableSize)
    return false;
  Tables[slot].assign(src, src + count);
  return true;
}

void TEcuMemory::DefaultMaps()
{
  Maps.fill(0);
  for (int c = 0; c < MapCount; ++c)
    for (int flow = 0; flow < FlowsPerMap; ++flow) {
      const double load = flow / 15.0;
      std::uint8_t *row = Maps.data() + c * MapSize + (flow / 2) * BlockSize + (flow % 2) * FlowOffsetInBlock;
      for (int p = 0; p < PointsPerFlow; ++p) {
        const double speed = SpeedShare(RpmAxis27[p]);
        if (c < 4) {
          // Advance rises with speed and falls with load; LPG burns slower and gets more, the
          // second pair of maps is a little more cautious.
          double degrees = 12.0 + 24.0 * speed - 14.0 * load;
          if (c % 2 == 1)
            degrees += 4.0;
          if (c >= 2)
            degrees -= 2.0;
          row[p] = ToByte(std::max(degrees, 2.0) * 2.0, 0, 120);
        } else {
          // Injection time grows with load, a little with speed; the second map is leaner.
          double ms = 0.8 + 3.6 * load + 0.3 * speed;
          if (c == 5)
            ms *= 0.9;
          row[p] = ToByte(ms * 50.0, 25, 255);
        }
      }
    }
}

void TEcuMemory::DefaultTables()
{
  for (int slot = 0; slot < static_cast<int>(TableNumbers.size()); ++slot) {
    const int table = TableNumbers[slot];
    const int n = DefaultTableSize(table);
    std::vector<std::uint8_t> &t = Tables[slot];
    t.assign(n, 0);
    for (int i = 0; i < n; ++i) {
      const double share = double(i) / (n - 1);
      switch (table) {
      case 1: t[i] = ToByte((6.0 + 6.0 * share) * 2.0, 0, 120); break;     // start advance
      case 2: t[i] = ToByte((22.0 - 12.0 * share) * 2.0, 0, 70); break;    // idle advance
      case 3: t[i] = ToByte(60.0 / VoltAxis16[i] * 2.0, 0, 100); break;    // dwell over supply voltage
      case 4: {                                                            // advance over coolant temperature
        const double temp = TempAxis16[i];
        const double degrees = temp < 70.0 ? 8.0 * (70.0 - temp) / 100.0 : -(temp - 70.0) / 10.0;
        t[i] = static_cast<std::uint8_t>(static_cast<std::int8_t>(std::lround(degrees * 2.0)));
        break;
      }
      case 6: t[i] = ToByte(std::round(20.0 - 15.0 * share) * 10.0, 0, 255); break;   // start injection
      case 8: t[i] = ToByte(60.0 - 40.0 * share, 0, 128); break;                        // idle injection
      case 9: t[i] = ToByte(std::max(100.0, 200.0 - 100.0 * i / 10.0), 0, 255); break;  // warm-up enrichment
      default: break;
      }
    }
  }
}

void TEcuMemory::DefaultParams()
{
  Params.fill(0);
  std::uint8_t *p = Params.data();
  p[0] = 4;                         // cylinders
  p[1] = 3;                         // no external switches: petrol, curve 1
  p[3] = 30 * 2;                    // idle advance limit, half degrees
  Put16(p + 4, RpmToPeriod(850));   // idle speed
  Put16(p + 6, 2000);               // speed limit period: 5000 rpm
  p[8] = 10;                        // idle fuel cut-off delay 1.0 s
  p[9] = 0x02;                      // idle-speed correction of the advance
  p[11] = 132;                      // teeth on the flywheel
  p[12] = 20;                       // teeth between reference mark and dead centre
  p[15] = 40;                       // idle correction below 40 C
  Put16(p + 16, 819);               // temperature sensor cold 4.0 V
  Put16(p + 18, 204);               // temperature sensor hot 1.0 V
  Put16(p + 20, 81);                // MAP sensor start 0.4 V
  Put16(p + 22, 921);               // MAP sensor at flow 16: 4.5 V
  Put16(p + 24, 204);               // MAP sensor at flow 1: 1.0 V
  p[30] = 0x03;                     // temperature sensor and voltmeter present
  p[44] = 105;                      // buzzer above 105 C
  Put16(p + 45, RpmToPeriod(6500)); // buzzer above 6500 rpm
  p[47] = 110;                      // buzzer below 11.0 V
  Put16(p + 48, RpmToPeriod(13000));// launch control

  ParamsExt = {40, 20, 10, 16, 2, 20, 50, 4, 10, 0};
}
