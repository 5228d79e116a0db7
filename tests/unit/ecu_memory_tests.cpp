#include "ecu_testing.h"
#include "ecustatefile.h"
#include "tempdir.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace EcuTesting;

TEST(EcuMemory, BlocksAreAddressedByMapAndFlowPair)
{
  struct SCase {
    int Map, Flow, Offset;
  };
  for (const SCase &c : std::vector<SCase>{{0, 0, 0}, {0, 2, 64}, {3, 14, 3 * 512 + 7 * 64}, {5, 14, 3008},
                                           {0, 1, -1}, {0, 16, -1}, {6, 0, -1}, {-1, 0, -1}, {0, -2, -1}})
    EXPECT_EQ(TEcuMemory::BlockOffset(c.Map, c.Flow), c.Offset) << c.Map << "/" << c.Flow;
}

TEST(EcuMemory, DefaultsLookLikeAProgrammedEcu)
{
  const TEcuMemory m;
  for (int table : TEcuMemory::TableNumbers)
    EXPECT_EQ(int(m.Table(table)->size()), table == 1 || table == 2 || table == 6 ? 18 : 16) << table;
  for (int c = 0; c < 6; ++c)
    for (int f = 0; f < 16; ++f)
      for (int p = 0; p < 27; ++p) {
        const int b = m.MapPoint(c, f, p);
        if (c < 4)
          EXPECT_LE(b, 120);
        else
          EXPECT_TRUE(b >= 25 && b <= 255);
      }
  // Advance rises with speed and falls with load; injection grows with load.
  EXPECT_LT(m.MapPoint(0, 0, 2), m.MapPoint(0, 0, 20));
  EXPECT_GT(m.MapPoint(0, 0, 20), m.MapPoint(0, 15, 20));
  EXPECT_LT(m.MapPoint(4, 0, 10), m.MapPoint(4, 15, 10));
  EXPECT_EQ(m.Params[0], 4);
  EXPECT_EQ(m.Params[6] | (m.Params[7] << 8), 2000);
  EXPECT_EQ(m.Params[11], 132);
  // The temperature correction is signed: more advance when cold, less when hot.
  EXPECT_GT(static_cast<std::int8_t>(m.Table(4)->front()), 0);
  EXPECT_LT(static_cast<std::int8_t>(m.Table(4)->back()), 0);
}

class EcuStateFile : public TTempDirTest {
protected:
  static TEcuMemory Changed()
  {
    TEcuMemory m;
    m.Maps[100] = 77;
    m.WriteTable(3, Pattern(18, 1).data(), 18);
    m.WriteTable(8, Pattern(3, 2).data(), 3);
    m.Params[49] = 9;
    m.ParamsExt[0] = 63;
    m.Firmware = QByteArray(130, 'x');
    return m;
  }
};

TEST_F(EcuStateFile, KeepsEverythingAcrossSaveAndLoad)
{
  const TEcuMemory saved = Changed();
  QString error;
  ASSERT_TRUE(TEcuStateFile::Save(saved, Path("ecu.state"), &error)) << qPrintable(error);
  TEcuMemory loaded;
  ASSERT_TRUE(TEcuStateFile::Load(loaded, Path("ecu.state"), &error)) << qPrintable(error);
  EXPECT_EQ(loaded.Maps, saved.Maps);
  EXPECT_EQ(loaded.Tables, saved.Tables);
  EXPECT_EQ(loaded.Params, saved.Params);
  EXPECT_EQ(loaded.ParamsExt, saved.ParamsExt);
  EXPECT_EQ(loaded.Firmware, saved.Firmware);
}

TEST_F(EcuStateFile, RefusesDamagedFilesAndKeepsTheMemory)
{
  const QByteArray good = TEcuStateFile::Encode(Changed());
  auto flipped = [&](int at) {
    QByteArray b = good;
    b[at] = static_cast<char>(b[at] ^ 0x01);
    return b;
  };
  QByteArray badTableLength = good;   // a table length of 19, with the check sum made to fit
  {
    const int at = 14 + 3072;
    badTableLength[at] = 19;
    const QByteArray body = badTableLength.mid(14, badTableLength.size() - 16);
    const quint16 check = qChecksum(body);
    badTableLength[badTableLength.size() - 2] = static_cast<char>(check & 0xFF);
    badTableLength[badTableLength.size() - 1] = static_cast<char>(check >> 8);
  }
  const std::vector<std::pair<const char *, QByteArray>> cases = {
    {"empty", QByteArray()},
    {"truncated", good.left(good.size() - 1)},
    {"padded", good + 'x'},
    {"signature", flipped(0)},
    {"version", flipped(8)},
    {"body byte", flipped(500)},
    {"check sum", flipped(good.size() - 1)},
    {"table length", badTableLength},
    {"text file", QByteArray("[ecu]\nmaps=1\n")},
  };
  for (const auto &[name, bytes] : cases) {
    SCOPED_TRACE(name);
    QFile f(Path("bad.state"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
    f.close();
    TEcuMemory memory;
    memory.Params[0] = 6;
    QString error;
    EXPECT_FALSE(TEcuStateFile::Load(memory, Path("bad.state"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(memory.Params[0], 6);
  }
}
