#include "calibrationfiles.h"
#include "cipher.h"
#include "foreignmaps.h"

#include "tempdir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <csignal>
#include <cstring>
#include <functional>
#include <random>
#include <sys/resource.h>
#include <vector>

// The fixtures below are put together byte by byte from the file layouts, never by the writer
// under test, so a writer and a reader that agree on a wrong layout still fail.

namespace {

using TValueFn = std::function<double(int group, int index, int flow, int point)>;

void PutU32(QByteArray &b, qsizetype at, quint32 u) {
  for (int k = 0; k < 4; ++k)
    b[at + k] = char((u >> (8 * k)) & 0xFF);
}

void PutDouble(QByteArray &b, qsizetype at, double v) {
  const quint64 u = std::bit_cast<quint64>(v);
  for (int k = 0; k < 8; ++k)
    b[at + k] = char((u >> (8 * k)) & 0xFF);
}

void PutFloat(QByteArray &b, qsizetype at, float v) { PutU32(b, at, std::bit_cast<quint32>(v)); }

QByteArray Shift13(QByteArray b) {
  for (char &c : b)
    c = char(static_cast<unsigned char>(c) + 13);
  return b;
}

// A value on the flow's step grid and within its limits, different for every point.
double GridValue(const TAllCalibration &all, int group, int index, int seed) {
  const TFlow *f = all.GetCalibration(group, index)->Flow(0);
  const int kMin = int(std::lround(f->GetMin() / f->GetStep()));
  const int kMax = int(std::lround(f->GetMax() / f->GetStep()));
  return (kMin + seed % (kMax - kMin + 1)) * f->GetStep();
}

TValueFn Pattern(const TAllCalibration &all, int salt) {
  return [&all, salt](int group, int index, int flow, int point) {
    return GridValue(all, group, index, salt + group * 101 + index * 37 + flow * 11 + point * 3);
  };
}

std::vector<std::uint8_t> Bytes(int n, int first) {
  std::vector<std::uint8_t> b(n);
  for (int k = 0; k < n; ++k)
    b[k] = std::uint8_t(first + 7 * k);
  return b;
}

QByteArray Zf2Plain(const TAllCalibration &all, const TValueFn &value,
                    const std::vector<std::uint8_t> &params,
                    const std::vector<std::uint8_t> &paramsExt) {
  QByteArray b(23170, '\0');
  std::memcpy(b.data(), "ZFD201", 6);
  b[6] = char(0xFF);
  for (int i = 0; i < 6; ++i)
    for (int j = 0; j < 16; ++j)
      for (int k = 0; k < 27; ++k)
        PutDouble(b, 518 + ((16 * i + j) * 27 + k) * 8, value(0, i, j, k));
  for (int i = 0; i < 8; ++i) {
    const int points = all.GetCalibration(1, i)->Flow(0)->Count();
    for (int k = 0; k < 27; ++k)
      PutDouble(b, 21254 + (i * 27 + k) * 8, k < points ? value(1, i, 0, k) : 0.0);
  }
  b[22982] = char(0xFF);
  std::memcpy(b.data() + 23110, params.data(), 50);
  std::memcpy(b.data() + 23160, paramsExt.data(), 10);
  return b;
}

QByteArray ZfdFile(const TAllCalibration &all, const TValueFn &value,
                   const std::vector<std::uint8_t> &params) {
  QByteArray b(15680, '\x5A');   // the areas the reader skips hold something
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 16; ++j)
      for (int k = 0; k < 27; ++k)
        PutDouble(b, 720 + ((16 * i + j) * 27 + k) * 8, value(0, i, j, k));
  const int curveOther[4] = {0, 1, 3, 2};   // start, idle, temperature, coil charge
  for (int c = 0; c < 4; ++c)
    for (int k = 0; k < 27; ++k)
      PutDouble(b, 14544 + (c * 27 + k) * 8,
                k < all.GetCalibration(1, curveOther[c])->Flow(0)->Count()
                    ? value(1, curveOther[c], 0, k)
                    : 1e6);
  std::memcpy(b.data() + 15624, params.data(), 50);
  return b;
}

QByteArray Z5uFile(const TValueFn &value, qint32 first = 4) {
  QByteArray b(6576, '\0');
  PutU32(b, 0, quint32(first));
  PutU32(b, 4, 0xDEADBEEF);
  for (int k = 0; k < 21; ++k) {
    PutFloat(b, 8 + 4 * k, float(value(1, 0, 0, k)));
    PutFloat(b, 92 + 4 * k, float(value(1, 1, 0, k)));
  }
  for (int m = 0; m < 4; ++m)
    for (int f = 0; f < 16; ++f)
      for (int p = 0; p < 25; ++p)
        PutFloat(b, 176 + ((m * 16 + f) * 25 + p) * 4, float(value(0, m, f, p)));
  return b;
}

// value() gives the byte at a position: flow j of the map (group 0, flow j, point k), the start
// curve (group 1, 0) and the idle curve (group 1, 1).
QByteArray KvdFile(const std::function<std::uint8_t(int group, int curve, int point)> &byte) {
  QByteArray b(304, '\x77');
  for (int j = 0; j < 16; ++j)
    for (int k = 0; k < 16; ++k)
      b[16 * j + k] = char(byte(0, j, k));
  for (int k = 0; k < 16; ++k) {
    b[256 + k] = char(byte(1, 0, k));
    b[288 + k] = char(byte(1, 1, k));
  }
  return b;
}

// Everything a load may change, to compare before and after.
struct SState {
  std::vector<double> Values;
  std::vector<bool> Enabled;
  std::vector<std::uint8_t> Params, ParamsExt;
  bool operator==(const SState &) const = default;
};

SState State(const TAllCalibration &all, const std::vector<std::uint8_t> &params,
             const std::vector<std::uint8_t> &paramsExt) {
  SState s{{}, {}, params, paramsExt};
  for (int g = 0; g < 2; ++g)
    for (int i = 0; i < (g ? all.OtherCount() : all.WorkCount()); ++i) {
      const TCalibration *c = all.GetCalibration(g, i);
      for (int j = 0; j < c->Count(); ++j)
        for (int k = 0; k < c->Flow(j)->Count(); ++k) {
          s.Values.push_back(c->Flow(j)->Value(k));
          s.Enabled.push_back(c->Flow(j)->IsEnabled());
        }
    }
  return s;
}

std::vector<double> MapValues(const TAllCalibration &all, int map) {
  std::vector<double> v;
  const TCalibration *c = all.GetCalibration(0, map);
  for (int j = 0; j < c->Count(); ++j)
    for (int k = 0; k < c->Flow(j)->Count(); ++k)
      v.push_back(c->Flow(j)->Value(k));
  return v;
}

void EnableAll(TAllCalibration &all) {
  for (int i = 0; i < all.WorkCount(); ++i)
    all.GetCalibration(0, i)->SetEnabled(true);
  for (int i = 0; i < all.OtherCount(); ++i)
    all.GetCalibration(1, i)->SetEnabled(true);
}

// Puts a recognisable value everywhere, so that "unchanged" means something.
void Prefill(TAllCalibration &all) {
  EnableAll(all);
  for (int i = 0; i < all.WorkCount(); ++i)
    all.GetCalibration(0, i)->SetAll(all.GetCalibration(0, i)->GetMax());
  for (int i = 0; i < all.OtherCount(); ++i)
    all.GetCalibration(1, i)->SetAll(all.GetCalibration(1, i)->GetMax());
}

SLoadSelection Everything() {
  SLoadSelection s;
  s.Start = s.Idle = s.Temperature = s.CoilCharge = s.Parameters = true;
  return s;
}

// Every stored value within its limits and on its step grid: nothing a file holds may break it.
::testing::AssertionResult ModelIsSound(const TAllCalibration &all) {
  for (int g = 0; g < 2; ++g)
    for (int i = 0; i < (g ? all.OtherCount() : all.WorkCount()); ++i) {
      const TCalibration *c = all.GetCalibration(g, i);
      for (int j = 0; j < c->Count(); ++j)
        for (int k = 0; k < c->Flow(j)->Count(); ++k) {
          const TFlow *f = c->Flow(j);
          const double v = f->Value(k);
          const double steps = v / f->GetStep();
          if (!(v >= f->GetMin() && v <= f->GetMax()) ||
              std::fabs(steps - std::round(steps)) > 1e-6)
            return ::testing::AssertionFailure()
                   << c->Name().toStdString() << " flow " << j << " point " << k << " = " << v;
        }
    }
  return ::testing::AssertionSuccess();
}

class CalibrationFiles : public TTempDirTest {
protected:
  std::vector<std::uint8_t> Params = std::vector<std::uint8_t>(50, 0xA5);
  std::vector<std::uint8_t> ParamsExt = std::vector<std::uint8_t>(10, 0x5A);
};

} // namespace

// ---------------------------------------------------------------------------------------------
// Types and cipher

TEST(CalibrationFileTypes, TypeComesFromTheLastThreeCharacters) {
  const std::pair<const char *, ECalibrationFileType> cases[] = {
      {"a.zf2", ECalibrationFileType::Zf2}, {"/x/y.zfd", ECalibrationFileType::Zfd},
      {"m.z5u", ECalibrationFileType::Z5u}, {"m.kvd", ECalibrationFileType::Kvd},
      {"a.ZF2", ECalibrationFileType::Unknown}, {"a.zf", ECalibrationFileType::Unknown},
      {"xzf2", ECalibrationFileType::Zf2},  {"", ECalibrationFileType::Unknown},
  };
  for (const auto &[name, type] : cases)
    EXPECT_EQ(CalibrationFileType(QString::fromLatin1(name)), type) << name;
}

TEST(CalibrationFileCipher, ShiftsEveryByteModulo256) {
  EXPECT_EQ(TCipher(CalibrationCipherKey).Shift(), 13);
  const std::pair<const char *, int> keys[] = {{"7", 7}, {"255", 255}, {"0", 13}, {"256", 13},
                                               {"-4", 13}, {"", 13},    {"12a", 13}};
  for (const auto &[key, shift] : keys)
    EXPECT_EQ(TCipher::ShiftFromKey(QString::fromLatin1(key)), shift) << key;

  QByteArray all(256, '\0');
  for (int k = 0; k < 256; ++k)
    all[k] = char(k);
  const TCipher cipher(CalibrationCipherKey);
  const QByteArray enciphered = cipher.Encipher(all);
  EXPECT_EQ(enciphered, Shift13(all));
  EXPECT_EQ(static_cast<unsigned char>(enciphered[0xF5]), 0x02);
  EXPECT_EQ(cipher.Decipher(enciphered), all);
}

// ---------------------------------------------------------------------------------------------
// *.zf2

TEST_F(CalibrationFiles, Zf2WriterLaysOutEveryFlowAndBothBlocks) {
  TAllCalibration all;
  const TValueFn value = Pattern(all, 5);
  EnableAll(all);
  for (int g = 0; g < 2; ++g)
    for (int i = 0; i < (g ? 8 : 6); ++i) {
      TCalibration *c = all.GetCalibration(g, i);
      for (int j = 0; j < c->Count(); ++j)
        for (int k = 0; k < c->Flow(j)->Count(); ++k)
          c->Flow(j)->SetPoint(k, value(g, i, j, k));
    }
  all.GetCalibration(0, 3)->SetEnabled(false);   // written whatever the enabled flag
  const std::vector<std::uint8_t> params = Bytes(50, 1), paramsExt = Bytes(10, 200);

  const QByteArray written = WriteZf2(all, params.data(), paramsExt.data());
  ASSERT_EQ(written.size(), 23170);
  EXPECT_EQ(static_cast<unsigned char>(written[0]), 'Z' + 13);
  EXPECT_EQ(written, Shift13(Zf2Plain(all, value, params, paramsExt)));
}

TEST_F(CalibrationFiles, Zf2ReaderTakesEveryValueAndBothBlocks) {
  TAllCalibration all;
  Prefill(all);
  const TValueFn value = Pattern(all, 11);
  const std::vector<std::uint8_t> params = Bytes(50, 3), paramsExt = Bytes(10, 90);
  const QByteArray file = Shift13(Zf2Plain(all, value, params, paramsExt));

  const SLoadResult r = ReadZf2(file, all, Params.data(), ParamsExt.data(), Everything());
  ASSERT_TRUE(r.IsOk()) << r.Message.toStdString();
  for (int g = 0; g < 2; ++g)
    for (int i = 0; i < (g ? 8 : 6); ++i) {
      const TCalibration *c = all.GetCalibration(g, i);
      for (int j = 0; j < c->Count(); ++j)
        for (int k = 0; k < c->Flow(j)->Count(); ++k)
          ASSERT_EQ(c->Flow(j)->Value(k), value(g, i, j, k))
              << c->Name().toStdString() << " flow " << j << " point " << k;
    }
  EXPECT_EQ(Params, params);
  EXPECT_EQ(ParamsExt, paramsExt);
}

TEST_F(CalibrationFiles, Zf2SaveAndLoadRoundTripOnDiskWithoutTouchingTheFile) {
  TAllCalibration saved;
  Prefill(saved);
  const TValueFn value = Pattern(saved, 23);
  for (int g = 0; g < 2; ++g)
    for (int i = 0; i < (g ? 8 : 6); ++i) {
      TCalibration *c = saved.GetCalibration(g, i);
      for (int j = 0; j < c->Count(); ++j)
        for (int k = 0; k < c->Flow(j)->Count(); ++k)
          c->Flow(j)->SetPoint(k, value(g, i, j, k));
    }
  const std::vector<std::uint8_t> params = Bytes(50, 9), paramsExt = Bytes(10, 33);
  const QString path = Path("set.zf2");
  QString error;
  ASSERT_TRUE(SaveZf2File(path, saved, params.data(), paramsExt.data(), error))
      << error.toStdString();
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray onDisk = file.readAll();
  file.close();
  EXPECT_EQ(onDisk.size(), 23170);
  EXPECT_EQ(static_cast<unsigned char>(onDisk[0]), 'Z' + 13);
  const QDateTime modified = QFileInfo(path).lastModified();

  TAllCalibration loaded;
  EnableAll(loaded);
  const SLoadResult r = LoadCalibrationFile(path, loaded, Params.data(), ParamsExt.data(),
                                            Everything());
  ASSERT_TRUE(r.IsOk()) << r.Message.toStdString();
  EXPECT_EQ(State(loaded, Params, ParamsExt), State(saved, params, paramsExt));

  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), onDisk);
  EXPECT_EQ(QFileInfo(path).lastModified(), modified);
  EXPECT_EQ(QDir(TempDir.path()).entryList(QDir::Files), QStringList{"set.zf2"});
}

TEST_F(CalibrationFiles, Zf2WithAnotherSignatureOrTooShortIsRefused) {
  TAllCalibration all;
  Prefill(all);
  const QByteArray good = Shift13(Zf2Plain(all, Pattern(all, 1), Bytes(50, 0), Bytes(10, 0)));
  QByteArray otherSignature = good;
  otherSignature[5] = char(static_cast<unsigned char>('2') + 13);   // "ZFD202"
  QByteArray plainOnDisk = Zf2Plain(all, Pattern(all, 1), Bytes(50, 0), Bytes(10, 0));
  const QByteArray cases[] = {otherSignature, good.left(23169), good.left(6), QByteArray(),
                              plainOnDisk};
  EXPECT_TRUE(CheckZf2(good).IsOk());
  const SState before = State(all, Params, ParamsExt);
  for (const QByteArray &bytes : cases) {
    const SLoadResult check = CheckZf2(bytes);
    EXPECT_EQ(check.Status, ELoadStatus::WrongVersion) << bytes.size();
    const SLoadResult r = ReadZf2(bytes, all, Params.data(), ParamsExt.data(), Everything());
    EXPECT_EQ(r.Status, ELoadStatus::WrongVersion) << bytes.size();
    EXPECT_EQ(r.Message, "Wrong version file.");
    EXPECT_EQ(State(all, Params, ParamsExt), before) << bytes.size();
  }
}

TEST_F(CalibrationFiles, Zf2LeavesDisabledFlowsAndUnchosenParameters) {
  TAllCalibration all;
  Prefill(all);
  all.GetCalibration(0, 1)->Flow(2)->SetEnabled(false);   // "Flow №3" of "UOZ LPG 1" unchecked
  all.GetCalibration(1, 3)->SetEnabled(false);            // "UOZ Temperature" not chosen
  const TValueFn value = Pattern(all, 2);
  const QByteArray file = Shift13(Zf2Plain(all, value, Bytes(50, 1), Bytes(10, 1)));
  SLoadSelection selection;   // "Parameters" not chosen
  ASSERT_TRUE(ReadZf2(file, all, Params.data(), ParamsExt.data(), selection).IsOk());
  EXPECT_EQ(all.GetCalibration(0, 1)->Flow(2)->Value(0), 60.0);
  EXPECT_EQ(all.GetCalibration(0, 1)->Flow(3)->Value(0), value(0, 1, 3, 0));
  EXPECT_EQ(all.GetCalibration(1, 3)->Flow(0)->Value(4), 30.0);
  EXPECT_EQ(all.GetCalibration(1, 2)->Flow(0)->Value(4), value(1, 2, 0, 4));
  EXPECT_EQ(Params, std::vector<std::uint8_t>(50, 0xA5));
  EXPECT_EQ(ParamsExt, std::vector<std::uint8_t>(10, 0x5A));
}

// ---------------------------------------------------------------------------------------------
// Copy mode, every type: only the target map changes, from the source map of the file.

TEST_F(CalibrationFiles, CopyModeChangesOnlyTheTarget) {
  struct SCase {
    const char *Name;
    ECalibrationFileType Type;
    int Source, Target;
  };
  const SCase cases[] = {
      {"zf2 LPG 1 into Petrol 2", ECalibrationFileType::Zf2, 1, 2},
      {"zf2 INJ 1 into INJ 2", ECalibrationFileType::Zf2, 4, 5},
      {"zfd LPG 1 into LPG 2", ECalibrationFileType::Zfd, 1, 3},
      {"z5u Petrol 2 into Petrol 1", ECalibrationFileType::Z5u, 2, 0},
      {"kvd into Petrol 2", ECalibrationFileType::Kvd, 0, 2},
  };
  for (const SCase &c : cases) {
    SCOPED_TRACE(c.Name);
    TAllCalibration all;
    Prefill(all);
    const TValueFn value = Pattern(all, 7);
    QByteArray file;
    switch (c.Type) {
    case ECalibrationFileType::Zf2:
      file = Shift13(Zf2Plain(all, value, Bytes(50, 0), Bytes(10, 0)));
      break;
    case ECalibrationFileType::Zfd:
      file = ZfdFile(all, value, Bytes(50, 0));
      break;
    case ECalibrationFileType::Z5u:
      file = Z5uFile(value);
      break;
    default:
      file = KvdFile([](int, int j, int) { return std::uint8_t(20 + j); });
      break;
    }
    all.GetCalibration(0, c.Source)->Flow(6)->SetEnabled(false);   // not taken into the target
    std::vector<std::vector<double>> before;
    for (int m = 0; m < 6; ++m)
      before.push_back(MapValues(all, m));

    SLoadSelection selection;
    selection.CopyMode = true;
    selection.Source = c.Source;
    selection.Target = c.Target;
    selection.Start = true;
    ASSERT_TRUE(
        ReadCalibrationData(c.Type, file, all, Params.data(), ParamsExt.data(), selection).IsOk());

    for (int m = 0; m < 6; ++m)
      if (m != c.Target) {
        EXPECT_EQ(MapValues(all, m), before[m]) << "map " << m;
      }
    const TCalibration *target = all.GetCalibration(0, c.Target);
    EXPECT_EQ(target->Flow(6)->Value(0), target->GetMax()) << "flow 7 is unchecked";
    const double expect = c.Type == ECalibrationFileType::Kvd ? 12.5 : value(0, c.Source, 5, 0);
    EXPECT_EQ(target->Flow(5)->Value(0), expect);
    // The single curves are still taken in copy mode.
    EXPECT_NE(all.GetCalibration(1, 0)->Flow(0)->Value(3), 60.0);
  }
}

// ---------------------------------------------------------------------------------------------
// *.zfd

TEST_F(CalibrationFiles, ZfdTakesTheIgnitionMapsChosenCurvesAndSParamsOnly) {
  TAllCalibration all;
  Prefill(all);
  const TValueFn value = Pattern(all, 4);
  const std::vector<std::uint8_t> params = Bytes(50, 77);
  SLoadSelection selection;
  selection.Start = selection.Temperature = selection.Parameters = true;   // no idle, no coil
  const SLoadResult r = ReadCalibrationData(ECalibrationFileType::Zfd, ZfdFile(all, value, params),
                                            all, Params.data(), ParamsExt.data(), selection);
  ASSERT_TRUE(r.IsOk());
  for (int m = 0; m < 4; ++m)
    for (int j = 0; j < 16; ++j)
      for (int k = 0; k < 27; ++k)
        ASSERT_EQ(all.GetCalibration(0, m)->Flow(j)->Value(k), value(0, m, j, k));
  EXPECT_EQ(MapValues(all, 4), std::vector<double>(16 * 27, 6.0));   // no injection maps in it
  for (int k = 0; k < 18; ++k)
    EXPECT_EQ(all.GetCalibration(1, 0)->Flow(0)->Value(k), value(1, 0, 0, k));
  for (int k = 0; k < 16; ++k)
    EXPECT_EQ(all.GetCalibration(1, 3)->Flow(0)->Value(k), value(1, 3, 0, k));
  EXPECT_EQ(all.GetCalibration(1, 1)->Flow(0)->Value(0), 35.0);
  EXPECT_EQ(all.GetCalibration(1, 2)->Flow(0)->Value(0), 50.0);
  EXPECT_EQ(Params, params);
  EXPECT_EQ(ParamsExt, std::vector<std::uint8_t>(10, 0x5A));
}

TEST_F(CalibrationFiles, ShortZfdLoadsItsCompleteRecordsAndSaysItIsDamaged) {
  TAllCalibration all;
  Prefill(all);
  const TValueFn value = Pattern(all, 8);
  const QByteArray file = ZfdFile(all, value, Bytes(50, 1)).left(720 + 5 * 216 + 100);
  const SLoadResult r = ReadZfd(file, all, Params.data(), Everything());
  EXPECT_EQ(r.Status, ELoadStatus::Damaged);
  EXPECT_FALSE(r.Message.isEmpty());
  const TCalibration *petrol1 = all.GetCalibration(0, 0);
  EXPECT_EQ(petrol1->Flow(4)->Value(26), value(0, 0, 4, 26));
  for (int k = 0; k < 27; ++k)   // the half record and everything after it stay as they were
    EXPECT_EQ(petrol1->Flow(5)->Value(k), 60.0);
  EXPECT_EQ(MapValues(all, 3), std::vector<double>(16 * 27, 60.0));
  EXPECT_EQ(all.GetCalibration(1, 0)->Flow(0)->Value(0), 60.0);
  EXPECT_EQ(Params, std::vector<std::uint8_t>(50, 0xA5));
}

// ---------------------------------------------------------------------------------------------
// *.z5u

TEST_F(CalibrationFiles, Z5uTakesTwentyFivePointsAndEighteenOfTheCurves) {
  TAllCalibration all;
  Prefill(all);
  const TValueFn value = Pattern(all, 6);
  SLoadSelection selection;
  selection.Idle = true;
  ASSERT_TRUE(ReadZ5u(Z5uFile(value), all, selection).IsOk());
  for (int m = 0; m < 4; ++m)
    for (int j = 0; j < 16; ++j) {
      const TFlow *f = all.GetCalibration(0, m)->Flow(j);
      for (int p = 0; p < 25; ++p)
        ASSERT_EQ(f->Value(p), value(0, m, j, p));
      EXPECT_EQ(f->Value(25), 0.0);
      EXPECT_EQ(f->Value(26), 0.0);
    }
  for (int k = 0; k < 18; ++k)
    EXPECT_EQ(all.GetCalibration(1, 1)->Flow(0)->Value(k), value(1, 1, 0, k));
  EXPECT_EQ(all.GetCalibration(1, 0)->Flow(0)->Value(0), 60.0);   // start not chosen
  EXPECT_EQ(MapValues(all, 5), std::vector<double>(16 * 27, 6.0));
}

TEST_F(CalibrationFiles, Z5uWithAnotherFirstIntegerOrTooShortIsAWrongFile) {
  TAllCalibration all;
  Prefill(all);
  const TValueFn value = Pattern(all, 6);
  const QByteArray cases[] = {Z5uFile(value, 5), Z5uFile(value).left(6575), QByteArray(3, '\4')};
  const SState before = State(all, Params, ParamsExt);
  for (const QByteArray &bytes : cases) {
    const SLoadResult r = ReadZ5u(bytes, all, Everything());
    EXPECT_EQ(r.Status, ELoadStatus::WrongFile);
    EXPECT_EQ(r.Message, "Wrong file.");
    EXPECT_EQ(State(all, Params, ParamsExt), before);
  }
}

// ---------------------------------------------------------------------------------------------
// *.kvd

TEST_F(CalibrationFiles, KvdIsInterpolatedOntoTheModelsAxes) {
  TAllCalibration all;
  Prefill(all);
  // Flow 1: 40 at 600 rpm, 60 at 720 rpm, then 100 (50 degrees) up to 7500 rpm except the last
  // node, 90. Start curve: byte k = 10 + 2k. Idle curve: 30 at 600 rpm, rising by 2 per node.
  const QByteArray file = KvdFile([](int group, int curve, int k) -> std::uint8_t {
    if (group == 0)
      return curve == 0 ? std::uint8_t(k == 0 ? 40 : k == 1 ? 60 : k == 15 ? 90 : 100) : 8;
    return curve == 0 ? std::uint8_t(10 + 2 * k) : std::uint8_t(30 + 2 * k);
  });
  SLoadSelection selection;
  selection.CopyMode = true;
  selection.Target = 1;
  selection.Start = selection.Idle = true;
  ASSERT_TRUE(ReadKvd(file, all, selection).IsOk());

  const TFlow *flow = all.GetCalibration(0, 1)->Flow(0);
  EXPECT_EQ(flow->Value(0), 21.0);   // 610 rpm: 20.83
  EXPECT_EQ(flow->Value(1), 24.5);   // 651 rpm: 24.25, halves upward
  for (int p = 23; p < 27; ++p)      // 7813 rpm and above: the value at 7500
    EXPECT_EQ(flow->Value(p), 45.0) << p;
  EXPECT_EQ(all.GetCalibration(0, 1)->Flow(9)->Value(5), 4.0);

  const TFlow *start = all.GetCalibration(1, 0)->Flow(0);
  EXPECT_EQ(start->Value(0), start->Normalize((10 + 2 * 6.9) * 0.5));   // 476 rpm, 440..480
  EXPECT_EQ(start->Value(9), 20.0);                                       // 833 rpm: beyond 800
  EXPECT_EQ(start->Value(17), 20.0);

  const TFlow *idle = all.GetCalibration(1, 1)->Flow(0);
  for (int p = 0; p < 5; ++p)   // 476 .. 588 rpm, below the first node: its value, not 0
    EXPECT_EQ(idle->Value(p), 15.0) << p;
  EXPECT_EQ(idle->Value(5), idle->Normalize(15 + 25.0 / 120));   // 625 rpm

  const SState before = State(all, Params, ParamsExt);
  const SLoadResult r = ReadKvd(file.left(303), all, selection);
  EXPECT_EQ(r.Status, ELoadStatus::WrongFile);
  EXPECT_EQ(r.Message, "Wrong file.");
  EXPECT_EQ(State(all, Params, ParamsExt), before);
}

// ---------------------------------------------------------------------------------------------
// Damaged input of every type

TEST_F(CalibrationFiles, TruncatedAndRandomFilesNeverBreakTheModel) {
  TAllCalibration reference;
  const TValueFn value = Pattern(reference, 3);
  struct SType {
    ECalibrationFileType Type;
    QByteArray Good;
    int Full;
  };
  const SType types[] = {
      {ECalibrationFileType::Zf2, Shift13(Zf2Plain(reference, value, Bytes(50, 0), Bytes(10, 0))),
       23170},
      {ECalibrationFileType::Zfd, ZfdFile(reference, value, Bytes(50, 0)), 15680},
      {ECalibrationFileType::Z5u, Z5uFile(value), 6576},
      {ECalibrationFileType::Kvd, KvdFile([](int, int, int k) { return std::uint8_t(k * 9); }), 304},
  };
  std::mt19937 random(20240611);
  for (const SType &t : types) {
    std::vector<QByteArray> inputs;
    const int stride = t.Full > 1000 ? 53 : 1;
    for (int n = 0; n < t.Full; n += stride)
      inputs.push_back(t.Good.left(n));
    inputs.push_back(t.Good.left(t.Full - 1));
    for (int r = 0; r < 40; ++r) {
      QByteArray noise(int(random() % (t.Full + 64)), '\0');
      for (char &c : noise)
        c = char(random());
      inputs.push_back(noise);
      // Random bytes behind a valid header reach the value paths.
      QByteArray headed = t.Good;
      for (int k = 8; k < headed.size(); ++k)
        headed[k] = char(random());
      inputs.push_back(headed.left(int(random() % (t.Full + 1)) + (r % 2 ? t.Full : 0)));
    }
    for (const QByteArray &input : inputs) {
      TAllCalibration all;
      Prefill(all);
      std::vector<std::uint8_t> params(50, 0xA5), paramsExt(10, 0x5A);
      const SState before = State(all, params, paramsExt);
      SLoadSelection selection = Everything();
      selection.CopyMode = t.Type == ECalibrationFileType::Kvd;
      const SLoadResult r =
          ReadCalibrationData(t.Type, input, all, params.data(), paramsExt.data(), selection);
      ASSERT_TRUE(ModelIsSound(all)) << int(t.Type) << " size " << input.size();
      if (r.Status == ELoadStatus::WrongFile || r.Status == ELoadStatus::WrongVersion) {
        ASSERT_EQ(State(all, params, paramsExt), before) << int(t.Type) << " size " << input.size();
      }
      if (input.size() < t.Full) {
        ASSERT_FALSE(r.IsOk()) << int(t.Type) << " size " << input.size();
      } else {
        ASSERT_NE(r.Status, ELoadStatus::Damaged);
      }
    }
  }
}

// ---------------------------------------------------------------------------------------------
// File helpers

TEST_F(CalibrationFiles, AFailedSaveLeavesTheOldFile) {
  TAllCalibration all;
  const QString path = Path("old.zf2");
  QString error;
  ASSERT_TRUE(SaveZf2File(path, all, Params.data(), ParamsExt.data(), error));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray old = file.readAll();
  file.close();

  // A full disk, as the process sees it: writes beyond 1000 bytes fail.
  Prefill(all);
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  rlimit small = saved;
  small.rlim_cur = 1000;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool ok = SaveZf2File(path, all, Params.data(), ParamsExt.data(), error);
  setrlimit(RLIMIT_FSIZE, &saved);

  EXPECT_FALSE(ok);
  EXPECT_FALSE(error.isEmpty());
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), old);
  EXPECT_EQ(QDir(TempDir.path()).entryList(QDir::Files), QStringList{"old.zf2"});
}

TEST_F(CalibrationFiles, AFileThatCannotBeReadChangesNothing) {
  TAllCalibration all;
  Prefill(all);
  const SState before = State(all, Params, ParamsExt);
  const SLoadResult r =
      LoadCalibrationFile(Path("missing.zf2"), all, Params.data(), ParamsExt.data(), Everything());
  EXPECT_EQ(r.Status, ELoadStatus::FileError);
  EXPECT_FALSE(r.Message.isEmpty());
  EXPECT_EQ(State(all, Params, ParamsExt), before);

  QString error;
  EXPECT_FALSE(WriteFileBytes(Path("no/such/folder/x.zf2"), QByteArray("x"), error));
  EXPECT_FALSE(error.isEmpty());
}
