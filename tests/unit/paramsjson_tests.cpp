#include "paramsjson.h"

#include <QJsonArray>
#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace {

template <typename T> T RandomBlock(std::mt19937 &rng)
{
  T block;
  auto *bytes = reinterpret_cast<std::uint8_t *>(&block);
  for (std::size_t k = 0; k < sizeof block; ++k)
    bytes[k] = std::uint8_t(rng());
  return block;
}

}   // namespace

TEST(ParamsJson, ADocumentWrittenBackGivesTheSameBytes)
{
  std::mt19937 rng(3);
  for (int round = 0; round < 200; ++round) {
    const auto params = RandomBlock<SParams>(rng);
    const auto ext = RandomBlock<SParamsExt>(rng);
    SParams back{};
    SParamsExt backExt{};
    QString error;
    ASSERT_TRUE(ParamsFromJson(ParamsToJson(params, ext), back, backExt, error)) << error.toStdString();
    ASSERT_EQ(std::memcmp(&back, &params, sizeof params), 0) << "round " << round;
    ASSERT_EQ(std::memcmp(&backExt, &ext, sizeof ext), 0) << "round " << round;
  }
}

TEST(ParamsJson, NamedFieldsInTheEditorsUnits)
{
  SParams params{};
  SParamsExt ext{};
  params.RpmHH = 11764;      // 850 rpm
  params.DHCorrection = -1;  // -0.5 degrees
  params.DTCold = 512;       // 2.5 V
  ext.InjVoltageCorr = -5;   // -0.5 V
  QJsonObject doc = ParamsToJson(params, ext);
  const QJsonObject named = doc.value(QStringLiteral("params")).toObject();
  EXPECT_EQ(named.value(QStringLiteral("RpmHH")).toDouble(), 850);
  EXPECT_EQ(named.value(QStringLiteral("DHCorrection")).toDouble(), -0.5);
  EXPECT_EQ(named.value(QStringLiteral("DTCold")).toDouble(), 2.5);
  EXPECT_EQ(doc.value(QStringLiteral("paramsExt")).toObject().value(QStringLiteral("InjVoltageCorr")).toDouble(), -0.5);
  EXPECT_EQ(doc.value(QStringLiteral("raw")).toObject().value(QStringLiteral("params")).toArray().size(), 50);

  // An edited field changes its bytes only; a field left out keeps the base.
  QJsonObject edit{{QStringLiteral("params"), QJsonObject{{QStringLiteral("MaxRpm"), 6000}, {QStringLiteral("Oktan"), 2.5}}}};
  SParams edited = params;
  SParamsExt editedExt = ext;
  QString error;
  ASSERT_TRUE(ParamsFromJson(edit, edited, editedExt, error));
  EXPECT_EQ(edited.MaxRpm, 1666);
  EXPECT_EQ(edited.Oktan, 5);
  EXPECT_EQ(edited.RpmHH, 11764);
  EXPECT_EQ(editedExt.InjVoltageCorr, -5);
  // A speed that does not fit the period field is clamped, never wrapped.
  ASSERT_TRUE(ParamsFromJson(QJsonObject{{QStringLiteral("params"), QJsonObject{{QStringLiteral("LaunchRpm"), 100}}}},
                             edited, editedExt, error));
  EXPECT_EQ(edited.LaunchRpm, 65535);
}

TEST(ParamsJson, DocumentsThatAreNotParametersChangeNothing)
{
  SParams params{};
  params.CylCount = 6;
  SParamsExt ext{};
  const QJsonObject bad[] = {
      QJsonObject{{QStringLiteral("calibrations"), QJsonArray{}}},
      QJsonObject{{QStringLiteral("params"), QJsonObject{{QStringLiteral("NoSuchField"), 1}}}},
      QJsonObject{{QStringLiteral("params"), QJsonObject{{QStringLiteral("CylCount"), QStringLiteral("four")}}}},
      QJsonObject{{QStringLiteral("raw"), QJsonObject{{QStringLiteral("params"), QJsonArray{1, 2, 3}}}}},
      QJsonObject{{QStringLiteral("raw"), QJsonObject{{QStringLiteral("params"), QJsonArray()}, {QStringLiteral("paramsExt"), QJsonArray()}}}},
  };
  for (const QJsonObject &doc : bad) {
    QString error;
    EXPECT_FALSE(ParamsFromJson(doc, params, ext, error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(params.CylCount, 6);
  }
}
