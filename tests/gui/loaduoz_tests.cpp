#include "calibration.h"
#include "loaduoz.h"
#include "messages.h"
#include "scriptedprompts.h"
#include "tempdir.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <cstring>
#include <gtest/gtest.h>

namespace {

// A *.zf2 made byte by byte from the layout: every point of map m, flow f is (m + 1) + f / 2,
// every other calibration k holds k + 1; parameter byte i is i; all enciphered with +13.
QByteArray Zf2Fixture()
{
  QByteArray plain("ZFD201");
  plain += char(0xFF);
  plain += QByteArray(511, '\0');
  auto flow = [&plain](double value) {
    for (int k = 0; k < 27; ++k) {
      char bytes[8];
      std::memcpy(bytes, &value, 8);
      plain.append(bytes, 8);
    }
  };
  for (int m = 0; m < 6; ++m)
    for (int f = 0; f < 16; ++f)
      flow(m < 4 ? (m + 1) + f / 2.0 : 1.0 + 0.025 * (m * 16 + f));
  for (int k = 0; k < 8; ++k)
    flow(k + 1);
  plain += char(0xFF);
  plain += QByteArray(127, '\0');
  for (int i = 0; i < 60; ++i)
    plain += char(i);
  for (char &c : plain)
    c = char(std::uint8_t(c) + 13);
  return plain;
}

class LoadDialogTest : public TTempDirTest {
protected:
  QString Write(const QString &name, const QByteArray &bytes)
  {
    const QString path = Path(name);
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return path;
  }
  std::unique_ptr<TLoadUOZ> Open(const QString &path)
  {
    return std::make_unique<TLoadUOZ>(nullptr, &Messages, ParamsExt, Params, &Model, path);
  }
  template <typename T> static T *Get(TLoadUOZ &d, const char *name) { return d.findChild<T *>(QLatin1String(name)); }
  static QStringList Items(QComboBox *box)
  {
    QStringList items;
    for (int k = 0; k < box->count(); ++k)
      items << box->itemText(k);
    return items;
  }

  TScriptedPrompts Prompts;
  TMessages Messages;
  TAllCalibration Model;
  std::uint8_t Params[50] = {};
  std::uint8_t ParamsExt[10] = {};
};

const QStringList IgnitionMaps{QStringLiteral("UOZ Petrol 1"), QStringLiteral("UOZ LPG 1"), QStringLiteral("UOZ Petrol 2"),
                               QStringLiteral("UOZ LPG 2")};

}   // namespace

TEST_F(LoadDialogTest, FreeEditionFileOffersTheIgnitionMapsStartAndIdle)
{
  auto d = Open(Write(QStringLiteral("a.z5u"), QByteArray(6576, '\0')));
  EXPECT_EQ(Items(Get<QComboBox>(*d, "UOZNum")), IgnitionMaps);
  EXPECT_TRUE(Get<QCheckBox>(*d, "HARSelect")->isEnabled());
  EXPECT_TRUE(Get<QCheckBox>(*d, "LoadPusk")->isChecked());
  EXPECT_TRUE(Get<QCheckBox>(*d, "LoadHH")->isChecked());
  for (const char *box : {"LoadTemp", "LoadCharge", "KnockCurve", "StartInj", "IddleInjCorr", "TimeInjCorrOnTemp", "ParamSys"})
    EXPECT_FALSE(Get<QCheckBox>(*d, box)->isEnabled()) << box;
  EXPECT_TRUE(Model.GetCalibration(1, 0)->Flow(0)->IsEnabled());
  EXPECT_FALSE(Model.GetCalibration(1, 3)->Flow(0)->IsEnabled());
}

TEST_F(LoadDialogTest, KvdFileIsAlwaysACopyIntoAnIgnitionMap)
{
  auto d = Open(Write(QStringLiteral("a.kvd"), QByteArray(304, '\0')));
  auto *source = Get<QComboBox>(*d, "UOZNum");
  EXPECT_EQ(Items(source), QStringList{QStringLiteral("KVTD-RL")});
  EXPECT_FALSE(source->isEnabled());
  EXPECT_TRUE(Get<QCheckBox>(*d, "HARSelect")->isChecked());
  EXPECT_FALSE(Get<QCheckBox>(*d, "HARSelect")->isEnabled());
  EXPECT_EQ(Items(Get<QComboBox>(*d, "UOZNum1")), IgnitionMaps);
  EXPECT_TRUE(Get<QComboBox>(*d, "UOZNum1")->isEnabled());
}

TEST_F(LoadDialogTest, Zf2CopyOfAnInjectionMapChangesOnlyItsTarget)
{
  auto d = Open(Write(QStringLiteral("a.zf2"), Zf2Fixture()));
  auto *source = Get<QComboBox>(*d, "UOZNum");
  EXPECT_EQ(source->count(), 6);
  source->setCurrentIndex(4);
  EXPECT_EQ(Items(Get<QComboBox>(*d, "UOZNum1")), (QStringList{QStringLiteral("INJ 1"), QStringLiteral("INJ 2")}));
  Get<QCheckBox>(*d, "HARSelect")->click();
  Get<QComboBox>(*d, "UOZNum1")->setCurrentIndex(1);
  Get<QCheckBox>(*d, "ParamSys")->setChecked(false);
  Get<QPushButton>(*d, "LoadUOZB")->click();

  EXPECT_DOUBLE_EQ(Model.GetCalibration(0, 5)->Flow(3)->Value(0), 1.0 + 0.025 * (4 * 16 + 3)) << "INJ 2 got INJ 1 of the file";
  EXPECT_DOUBLE_EQ(Model.GetCalibration(0, 4)->Flow(3)->Value(0), 0.5) << "INJ 1 itself is unchanged";
  EXPECT_DOUBLE_EQ(Model.GetCalibration(0, 0)->Flow(0)->Value(0), 0.0) << "other maps untouched in copy mode";
  EXPECT_DOUBLE_EQ(Model.GetCalibration(1, 6)->Flow(0)->Value(0), 7.0) << "the other calibrations still load";
  EXPECT_EQ(Params[10], 0) << "Parameters unchecked";
  for (int g = 0; g < 2; ++g)
    for (int k = 0; TCalibration *c = Model.GetCalibration(g, k); ++k)
      EXPECT_TRUE(c->Flow(0)->IsEnabled() && c->Flow(0)->IsVisibleData());
}

TEST_F(LoadDialogTest, UncheckedFlowsKeepTheirValues)
{
  auto d = Open(Write(QStringLiteral("a.zf2"), Zf2Fixture()));
  Get<QComboBox>(*d, "UOZNum")->setCurrentIndex(1);
  auto *flows = Get<QListWidget>(*d, "RashListBox");
  ASSERT_EQ(flows->count(), 16);
  EXPECT_EQ(flows->item(2)->text(), QStringLiteral("Flow №3"));
  flows->item(2)->setCheckState(Qt::Unchecked);
  Get<QPushButton>(*d, "LoadUOZB")->click();
  EXPECT_DOUBLE_EQ(Model.GetCalibration(0, 1)->Flow(2)->Value(0), 0.0);
  EXPECT_DOUBLE_EQ(Model.GetCalibration(0, 1)->Flow(3)->Value(0), 3.5);
  EXPECT_EQ(Params[49], 49);
  EXPECT_EQ(ParamsExt[9], 59);
}

TEST_F(LoadDialogTest, UnselectAllLeavesTheChosenMapAlone)
{
  auto d = Open(Write(QStringLiteral("a.zf2"), Zf2Fixture()));
  Get<QPushButton>(*d, "RashNoAll")->click();
  Get<QPushButton>(*d, "LoadUOZB")->click();
  EXPECT_DOUBLE_EQ(Model.GetCalibration(0, 0)->Flow(5)->Value(3), 0.0);
  EXPECT_DOUBLE_EQ(Model.GetCalibration(0, 2)->Flow(5)->Value(3), 5.5);
}

TEST_F(LoadDialogTest, WrongFreeEditionFileLoadsNothingButEnablesEveryFlow)
{
  QByteArray bytes(6576, '\0');
  bytes[0] = 5;
  auto d = Open(Write(QStringLiteral("a.z5u"), bytes));
  Get<QPushButton>(*d, "LoadUOZB")->click();
  EXPECT_EQ(Prompts.LastMessage(), QStringLiteral("Wrong file."));
  EXPECT_TRUE(Model.GetCalibration(1, 7)->Flow(0)->IsEnabled());
  EXPECT_DOUBLE_EQ(Model.GetCalibration(0, 0)->Flow(0)->Value(0), 0.0);
}
