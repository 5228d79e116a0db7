#pragma once
// The ECU's memory as the manager sees it over the line: the six calibration maps (48 blocks of
// 64 bytes), the seven single-curve tables, the two parameter blocks and the firmware image.

#include <QByteArray>

#include <array>
#include <cstdint>
#include <vector>

class TEcuMemory {
public:
  static constexpr int MapCount = 6;          // 4 ignition maps, 2 injection maps
  static constexpr int BlocksPerMap = 8;      // one block per pair of flows
  static constexpr int BlockSize = 64;
  static constexpr int MapSize = BlocksPerMap * BlockSize;
  static constexpr int MapBytes = MapCount * MapSize;   // 3072
  static constexpr int FlowsPerMap = 16;
  static constexpr int PointsPerFlow = 27;
  static constexpr int FlowOffsetInBlock = 32;    // the second flow of a block
  static constexpr int MaxTableSize = 18;
  static constexpr int ParamsSize = 50;
  static constexpr int ParamsExtSize = 10;
  static constexpr std::array<int, 7> TableNumbers{1, 2, 3, 4, 6, 8, 9};

  // Built with the defaults.
  TEcuMemory();

  // Plausible contents of a freshly programmed ECU.
  void LoadDefaults();

  // Offset of the block of calibration c and first flow f in the map image, or -1 when (c, f)
  // addresses no block (c outside 0..5, f odd or outside 0..14).
  static int BlockOffset(int calibration, int firstFlow);
  static int TableSlot(int table);               // index into TableNumbers, or -1
  static int DefaultTableSize(int table);        // 18 or 16; 0 for a table number without table

  // Block access; false for an address without block.
  bool ReadBlock(int calibration, int firstFlow, std::uint8_t *dest) const;
  bool WriteBlock(int calibration, int firstFlow, const std::uint8_t *src);

  // Point byte of one flow of a map, for the engine model.
  std::uint8_t MapPoint(int calibration, int flow, int point) const;

  // Tables hold what was last written to them (1 .. 18 bytes).
  const std::vector<std::uint8_t> *Table(int table) const;
  bool WriteTable(int table, const std::uint8_t *src, int count);

  std::array<std::uint8_t, MapBytes> Maps{};
  std::array<std::vector<std::uint8_t>, TableNumbers.size()> Tables;
  std::array<std::uint8_t, ParamsSize> Params{};
  std::array<std::uint8_t, ParamsExtSize> ParamsExt{};
  QByteArray Firmware;   // the image the bootloader received last

private:
  void DefaultMaps();
  void DefaultTables();
  void DefaultParams();
};

// 10 000 000 / rpm, the period in which the ECU stores engine speeds.
std::uint16_t RpmToPeriod(int rpm);
