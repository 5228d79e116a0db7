#include "paramszolt.h"
#include "scriptedprompts.h"
#include "tempdir.h"
#include "waitfor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPointer>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <cstring>
#include <gtest/gtest.h>
#include <random>

namespace {

class ParamsEditorTest : public TTempDirTest {
protected:
  void TearDown() override { delete Editor.data(); }

  TParamsZolt &Open()
  {
    Editor = new TParamsZolt(&Params, &Ext);
    return *Editor;
  }
  void Close()
  {
    ASSERT_TRUE(Editor->close());
    // The window frees itself with deleteLater, which only a return to the event loop runs.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(Editor.isNull());
  }
  template <typename T> T *Get(const char *name) const
  {
    T *w = Editor->findChild<T *>(QLatin1String(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  QCheckBox *Box(const char *name) const { return Get<QCheckBox>(name); }
  QSpinBox *Int(const char *name) const { return Get<QSpinBox>(name); }
  QDoubleSpinBox *Dec(const char *name) const { return Get<QDoubleSpinBox>(name); }
  QComboBox *List(const char *name) const { return Get<QComboBox>(name); }
  bool PageVisible(const char *page) const
  {
    auto *pages = Get<QTabWidget>("PageControl");
    return pages->isTabVisible(pages->indexOf(Get<QWidget>(page)));
  }

  QByteArray Bytes() const
  {
    return QByteArray(reinterpret_cast<const char *>(&Params), sizeof Params) +
           QByteArray(reinterpret_cast<const char *>(&Ext), sizeof Ext);
  }

  TScriptedPrompts Prompts;
  SParams Params{};
  SParamsExt Ext{};
  QPointer<TParamsZolt> Editor;
};

// Types a value into a spin edit as the user would and confirms it.
void Type(QAbstractSpinBox *box, const QString &text)
{
  box->setFocus();
  box->selectAll();
  QTest::keyClicks(box, text);
  QTest::keyClick(box, Qt::Key_Return);
}

}   // namespace

TEST_F(ParamsEditorTest, AllZeroBlocksOpenWithTheDefaultsAndCloseStoringThem)
{
  Open();
  EXPECT_EQ(List("V_CylCount")->currentText(), QStringLiteral("4"));
  EXPECT_EQ(Int("V_MaxRPM")->value(), 5000);
  EXPECT_EQ(Int("V_RPMHH")->value(), 2500);
  EXPECT_DOUBLE_EQ(Dec("V_MaxUOZHH")->value(), 20.0);
  EXPECT_EQ(Int("V_DPKV_TOTAL")->value(), 132);
  EXPECT_EQ(Int("V_DPKV_NO")->value(), 20);
  EXPECT_EQ(Int("V_BuzzRPMValue")->value(), 400);
  EXPECT_EQ(Int("V_Launch")->value(), 13000);
  for (const char *box : {"C_EnableLaunch", "C_BuzzTemp", "C_BuzzNapr", "C_BuzzRPM"})
    EXPECT_FALSE(Box(box)->isChecked()) << box << ": a zero threshold is off";
  EXPECT_FALSE(Int("V_Launch")->isEnabled());

  // The four fixed defaults reach the block at once; nothing else does before a store.
  SParams shown{};
  shown.CylCount = 4;
  shown.MaxRpm = 2000;
  shown.DpkvTotal = 132;
  shown.DpkvNo = 20;
  EXPECT_EQ(std::memcmp(&Params, &shown, sizeof Params), 0);

  Close();
  SParams stored = shown;
  stored.RpmHH = 4000;   // 2500 rpm
  stored.MaxUOZHH = 40;  // 20 degrees
  // Launch control and the buzzer thresholds stay off (0); byte 1 stays as it was.
  EXPECT_EQ(std::memcmp(&Params, &stored, sizeof Params), 0);
  EXPECT_EQ(Bytes().mid(50), QByteArray(10, '\0'));
}

TEST_F(ParamsEditorTest, ExternalSwitchByteIsShownAsItIsAndChangedOnlyByItsControls)
{
  for (const std::uint8_t byte1 : {0x00, 0x03, 0x33, 0xFF, 0xCC, 0x12, 0x21}) {
    SCOPED_TRACE(byte1);
    Params = SParams{};
    Params.ExtSwitch = byte1;
    Open();
    EXPECT_EQ(Params.ExtSwitch, byte1) << "opening changed byte 1";
    EXPECT_EQ(Box("C_Ext2Check")->isChecked(), !(byte1 & 0x01));
    EXPECT_EQ(Box("C_Ext1Check")->isChecked(), !(byte1 & 0x02));
    EXPECT_EQ(Get<QRadioButton>("Ext2GroupLPG")->isChecked(), bool(byte1 & 0x10));
    EXPECT_EQ(Get<QRadioButton>("Ext1GroupCurve2")->isChecked(), bool(byte1 & 0x20));
    EXPECT_EQ(Get<QWidget>("Ext2Group")->isEnabled(), bool(byte1 & 0x01));
    EXPECT_EQ(Get<QWidget>("Ext1Group")->isEnabled(), bool(byte1 & 0x02));

    // Each click reaches the block at once, bit by bit; bits 2, 3, 6, 7 are never touched.
    Box("C_Ext2Check")->click();
    EXPECT_EQ(Params.ExtSwitch, byte1 ^ 0x01);
    Box("C_Ext1Check")->click();
    EXPECT_EQ(Params.ExtSwitch, byte1 ^ 0x03);
    Editor->StoreParams();
    EXPECT_EQ(Params.ExtSwitch, byte1 ^ 0x03) << "a store must not write byte 1";

    // With both switches unused the fixed choices are free.
    if (!Box("C_Ext2Check")->isChecked() && !Box("C_Ext1Check")->isChecked()) {
      Get<QRadioButton>(byte1 & 0x10 ? "Ext2GroupPetrol" : "Ext2GroupLPG")->click();
      Get<QRadioButton>(byte1 & 0x20 ? "Ext1GroupCurve1" : "Ext1GroupCurve2")->click();
      EXPECT_EQ(Params.ExtSwitch, byte1 ^ 0x33);
    }
    Close();
    EXPECT_EQ(Params.ExtSwitch & 0xCC, byte1 & 0xCC);
  }
}

TEST_F(ParamsEditorTest, CheckBoxRulesEnableTheirControls)
{
  Open();
  auto *corr = Box("C_MaxUOZHH");
  corr->click();
  EXPECT_TRUE(Dec("V_MaxUOZHH")->isEnabled());
  corr->click();
  EXPECT_FALSE(Dec("V_MaxUOZHH")->isEnabled());

  EXPECT_FALSE(PageVisible("KnockPage"));
  Box("C_KnockSensor")->click();
  EXPECT_TRUE(PageVisible("KnockPage"));
  Box("C_KnockSensor")->click();
  EXPECT_FALSE(PageVisible("KnockPage"));
  EXPECT_FALSE(PageVisible("InjectionPage"));
  EXPECT_EQ(Get<QTabWidget>("PageControl")->currentWidget(), Get<QWidget>("OutputsPage"));

  struct SSwitched {
    const char *Check, *Edit;
    double Off;   // the value unchecking leaves in the edit
  };
  for (const SSwitched &s : {SSwitched{"C_EnableLaunch", "V_Launch", 0}, SSwitched{"C_BuzzTemp", "V_BuzzTempValue", 0},
                             SSwitched{"C_BuzzNapr", "V_BuzzNaprValue", 0}, SSwitched{"C_BuzzRPM", "V_BuzzRPMValue", 400}}) {
    auto *edit = Get<QAbstractSpinBox>(s.Edit);
    Box(s.Check)->click();
    EXPECT_TRUE(edit->isEnabled()) << s.Check;
    Type(edit, QStringLiteral("7"));
    Box(s.Check)->click();
    EXPECT_FALSE(edit->isEnabled()) << s.Check;
    EXPECT_EQ(edit->text().toDouble(), s.Off) << s.Check;
  }
}

TEST_F(ParamsEditorTest, TemperatureSensorRules)
{
  Open();
  const char *followers[] = {"C_DigitalDT", "V_DTColdLevel", "V_DTHotLevel", "C_CorrHHonT", "V_DTHHon"};
  for (const char *w : followers)
    EXPECT_FALSE(Get<QWidget>(w)->isEnabled()) << w;
  Box("C_EnableDT")->click();
  for (const char *w : followers)
    EXPECT_TRUE(Get<QWidget>(w)->isEnabled()) << w;

  Box("C_DigitalDT")->click();
  EXPECT_FALSE(Dec("V_DTColdLevel")->isEnabled());
  EXPECT_FALSE(Dec("V_DTHotLevel")->isEnabled());

  Box("C_EnableDT")->click();
  EXPECT_FALSE(Box("C_DigitalDT")->isChecked());
  for (const char *w : followers)
    EXPECT_FALSE(Get<QWidget>(w)->isEnabled()) << w << " stays usable without a sensor";
  Box("C_EnableDT")->click();
  EXPECT_FALSE(Box("C_DigitalDT")->isChecked());
  EXPECT_TRUE(Dec("V_DTColdLevel")->isEnabled());

  // A block with a digital sensor opens with the analog levels locked.
  Params.SensorOptions = SensorEnableDT;
  Params.TempSensorOptions = TempSensorDigital | 0x80;
  Editor->ShowParams();
  EXPECT_TRUE(Box("C_DigitalDT")->isChecked());
  EXPECT_FALSE(Dec("V_DTColdLevel")->isEnabled());
  Editor->StoreParams();
  EXPECT_EQ(Params.TempSensorOptions, TempSensorDigital | 0x80);
}

TEST_F(ParamsEditorTest, ChangingTheCylinderCountWarnsEachTime)
{
  Open();
  auto *count = List("V_CylCount");
  count->setFocus();
  QTest::keyClick(count, Qt::Key_Down);
  EXPECT_EQ(count->currentText(), QStringLiteral("5"));
  ASSERT_EQ(Prompts.Messages.size(), 1);
  EXPECT_EQ(Prompts.LastMessage(), QStringLiteral("Warning, change cylinder count."));
  Q_EMIT count->activated(count->currentIndex());   // the same entry chosen again
  EXPECT_EQ(Prompts.Messages.size(), 1);
  QTest::keyClick(count, Qt::Key_Down);
  EXPECT_EQ(Prompts.Messages.size(), 2);
  Close();
  EXPECT_EQ(Params.CylCount, 6);

  // Selecting from code (a reload) never warns.
  Params.CylCount = 2;
  Open();
  EXPECT_EQ(List("V_CylCount")->currentText(), QStringLiteral("2"));
  EXPECT_EQ(Prompts.Messages.size(), 2);
}

TEST_F(ParamsEditorTest, ConfigurableOutputRules)
{
  Open();
  for (const char *w : {"EPHHName", "EPHHOn", "EPHHOff", "AUXName", "AUXData", "AUXActive", "DH4Name", "DH4Data", "DH4Active"})
    EXPECT_FALSE(Get<QWidget>(w)->isEnabled()) << w;
  EXPECT_EQ(Int("EPHHOn")->value(), 1700);
  EXPECT_EQ(Int("EPHHOff")->value(), 1900);

  Box("EPHHMode")->click();
  auto *signal = List("EPHHName");
  auto *label = Get<QLabel>("L_EPHHName");
  EXPECT_TRUE(Int("EPHHOn")->isEnabled());
  signal->setCurrentIndex(0);
  EXPECT_EQ(label->text(), QStringLiteral("Strob"));
  EXPECT_FALSE(Int("EPHHOn")->isEnabled());
  EXPECT_TRUE(Int("EPHHOff")->isEnabled());
  EXPECT_EQ(Int("EPHHOff")->maximum(), 4);
  EXPECT_EQ(Int("EPHHOn")->maximum(), 0);

  struct SLimits {
    int Index, Min, Max;
  };
  for (const SLimits &l : {SLimits{1, 400, 2500}, SLimits{2, 1, 16}, SLimits{3, -40, 125}, SLimits{4, 2, 15}}) {
    signal->setCurrentIndex(l.Index);
    EXPECT_EQ(label->text(), QStringLiteral("Signal"));
    EXPECT_TRUE(Int("EPHHOn")->isEnabled());
    for (const char *edit : {"EPHHOn", "EPHHOff"}) {
      EXPECT_EQ(Int(edit)->minimum(), l.Min) << edit << " " << l.Index;
      EXPECT_EQ(Int(edit)->maximum(), l.Max) << edit << " " << l.Index;
    }
  }

  for (const char *panel : {"AUX", "DH4"}) {
    const QByteArray p(panel);
    Box(p + "Mode")->click();
    auto *data = Dec(p + "Data");
    for (const char *w : {"Name", "Data", "Active"})
      EXPECT_TRUE(Get<QWidget>(p + w)->isEnabled()) << panel << w;
    struct SRange {
      int Index;
      double Min, MaxAtLeast, MaxAtMost;
    };
    for (const SRange &r : {SRange{0, 1, 16, 16}, SRange{1, -40, 125, 125}, SRange{2, 400, 20000, 1e9}, SRange{3, 2, 15, 15}}) {
      List(p + "Name")->setCurrentIndex(r.Index);
      EXPECT_DOUBLE_EQ(data->minimum(), r.Min) << panel << r.Index;
      EXPECT_GE(data->maximum(), r.MaxAtLeast) << panel << r.Index;
      EXPECT_LE(data->maximum(), r.MaxAtMost) << panel << r.Index;
    }
    Box(p + "Mode")->click();
    EXPECT_FALSE(data->isEnabled());
  }

  // A language change retranslates the design but keeps the label that follows the signal.
  signal->setCurrentIndex(0);
  QEvent change(QEvent::LanguageChange);
  QCoreApplication::sendEvent(Editor, &change);
  EXPECT_EQ(label->text(), QStringLiteral("Strob"));
  EXPECT_EQ(signal->currentIndex(), 0);
}

TEST_F(ParamsEditorTest, ValuesAreConvertedTruncatedAndShownAgain)
{
  struct SCase {
    const char *Edit;
    double Value;
    int Offset;      // into the 60 bytes of both blocks
    int Size;
    int Stored;      // as the signed or unsigned field reads it
    double Shown;    // when the block is shown again
  };
  const SCase cases[] = {
      {"V_DHCorrection", 2.5, 14, 1, 5, 2.5},
      {"V_DHCorrection", -0.5, 14, 1, -1, -0.5},
      {"V_InjVoltageCorr", -0.55, 59, 1, -5, -0.5},
      {"V_InjVoltageCorr", -0.5, 59, 1, -5, -0.5},   // 0xFB
      {"V_Oktan", -15.5, 2, 1, -31, -15.5},
      {"V_EPHHDelay", 2.3, 8, 1, 23, 2.3},
      {"V_CalibrVolt", 9.99, 29, 1, 99, 9.9},
      {"V_DTColdLevel", 1.0, 16, 2, 204, 1.0},
      {"V_DAD_Offset16", 5.0, 22, 2, 1024, 5.0},
      {"V_DAD_Offset1", 2.5, 24, 2, 512, 2.5},
      {"V_DD_MaxRetard", 14.5, 53, 1, 29, 14.5},
      {"V_MaxRPM", 850, 6, 2, 11764, 850},
      {"V_RPMHH", 400, 4, 2, 25000, 400},
  };
  Open();
  for (const SCase &c : cases) {
    auto *box = Get<QAbstractSpinBox>(c.Edit);
    auto *dec = qobject_cast<QDoubleSpinBox *>(box);
    auto *whole = qobject_cast<QSpinBox *>(box);
    if (dec)
      dec->setValue(c.Value);
    else
      whole->setValue(int(c.Value));
    Editor->StoreParams();
    const QByteArray bytes = Bytes();
    const int stored = c.Size == 1 ? int(std::int8_t(bytes[c.Offset]))
                                   : int(std::uint8_t(bytes[c.Offset])) | int(std::uint8_t(bytes[c.Offset + 1])) << 8;
    EXPECT_EQ(stored, c.Stored) << c.Edit << " " << c.Value;
    Editor->ShowParams();
    EXPECT_DOUBLE_EQ(dec ? dec->value() : whole->value(), c.Shown) << c.Edit << " " << c.Value;
  }
  EXPECT_EQ(std::uint8_t(Bytes()[59]), 0xFB);
  EXPECT_DOUBLE_EQ(Dec("V_InjVoltageCorr")->value(), -0.5);
  EXPECT_DOUBLE_EQ(Dec("V_DHCorrection")->value(), -0.5);
  EXPECT_EQ(Int("V_MaxRPM")->value(), 850);
}

TEST_F(ParamsEditorTest, OutOfRangeInputIsCroppedAndPeriodsAreClampedNotWrapped)
{
  Params.MaxUOZHH = 100;    // 50 degrees, beyond 40
  Params.RpmHH = 100;       // 100000 rpm, beyond 2500
  Params.DTCold = 2000;     // 9.8 V, beyond 5
  Params.Oktan = -100;      // -50 degrees, beyond -16
  Params.CalibrVolt = 127;  // 12.7 V, beyond 10
  Ext.KnockMaxRetard = 200; // 100 degrees, beyond 15
  Open();
  EXPECT_DOUBLE_EQ(Dec("V_MaxUOZHH")->value(), 40.0);
  EXPECT_EQ(Int("V_RPMHH")->value(), 2500);

  Type(Int("V_MaxRPM"), QStringLiteral("30000"));
  EXPECT_EQ(Int("V_MaxRPM")->value(), 13000) << "typed beyond the top";
  Type(Int("V_DPKV_TOTAL"), QStringLiteral("1"));
  EXPECT_EQ(Int("V_DPKV_TOTAL")->value(), 2) << "typed below the bottom";
  Type(Dec("V_DHCorrection"), QStringLiteral("-45"));
  EXPECT_DOUBLE_EQ(Dec("V_DHCorrection")->value(), -30.0);

  // Launch control at 100 rpm: the period 100000 does not fit 16 bits.
  Box("C_EnableLaunch")->click();
  Int("V_Launch")->setValue(100);
  // Typed but not confirmed when the window closes: still cropped and stored.
  auto *buzzTemp = Int("V_BuzzTempValue");
  Box("C_BuzzTemp")->click();
  buzzTemp->setFocus();
  buzzTemp->selectAll();
  QTest::keyClicks(buzzTemp, QStringLiteral("300"));
  Close();

  EXPECT_EQ(Params.MaxUOZHH, 80);
  EXPECT_EQ(Params.RpmHH, 4000);
  EXPECT_EQ(Params.DTCold, 1024);
  EXPECT_EQ(Params.Oktan, -32);
  EXPECT_EQ(Params.CalibrVolt, 100);
  EXPECT_EQ(Ext.KnockMaxRetard, 30);
  EXPECT_EQ(Params.MaxRpm, 769);
  EXPECT_EQ(Params.DpkvTotal, 2);
  EXPECT_EQ(Params.DHCorrection, -60);
  EXPECT_EQ(Params.LaunchRpm, 65535);
  EXPECT_EQ(Params.BuzzTemp, 125);

  // Launch control switched off stores 0, whatever the edit held.
  Open();
  EXPECT_TRUE(Box("C_EnableLaunch")->isChecked());
  Box("C_EnableLaunch")->click();
  Close();
  EXPECT_EQ(Params.LaunchRpm, 0);
}

namespace {

// A block every control can show exactly: values inside the ranges, periods whose speed is
// inside the range, list indexes inside the lists; reserved bytes and all bits random.
void RandomValidBlocks(std::mt19937 &rng, SParams &p, SParamsExt &x)
{
  auto any = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  auto period = [&](int minRpm, int maxRpm) {
    for (;;) {
      const int v = any(RpmPeriod(maxRpm), std::min(65535, RpmPeriod(minRpm)));
      if (RpmPeriod(v) >= minRpm && RpmPeriod(v) <= maxRpm)
        return std::uint16_t(v);
    }
  };
  auto *raw = reinterpret_cast<std::uint8_t *>(&p);
  for (std::size_t k = 0; k < sizeof p; ++k)
    raw[k] = std::uint8_t(any(0, 255));
  const int counts[] = {2, 3, 4, 5, 6, 8};
  p.CylCount = std::uint8_t(counts[any(0, 5)]);
  p.Oktan = std::int8_t(any(-32, 32));
  p.MaxUOZHH = std::uint8_t(any(40, 80));
  p.RpmHH = period(400, 2500);
  p.MaxRpm = period(400, 13000);
  p.EPHHDelay = std::uint8_t(any(0, 25));
  p.DpkvTotal = std::uint8_t(any(2, 254));
  p.DpkvNo = std::uint8_t(any(1, 127));
  p.StartAngle = std::int8_t(any(-10, 10));
  p.DHCorrection = std::int8_t(any(-60, 60));
  p.TempCorrHH = std::int8_t(any(-30, 125));
  p.DTCold = std::uint16_t(any(0, 1024));
  p.DTHot = std::uint16_t(any(0, 1024));
  p.DadAtmo = std::int16_t(any(0, 1024));
  p.DadFlow16 = std::int16_t(any(0, 1024));
  p.DadFlow1 = std::int16_t(any(0, 1024));
  p.CalibrVolt = std::int8_t(any(-100, 100));
  p.BuzzTemp = std::int8_t(any(0, 3) ? any(1, 125) : 0);
  p.BuzzRpm = any(0, 3) ? period(400, 20000) : 0;
  p.BuzzVolt = std::uint8_t(any(0, 3) ? any(1, 150) : 0);
  p.LaunchRpm = any(0, 3) ? std::uint16_t(any(RpmPeriod(13000) + 1, 65535)) : 0;
  x.KnockFreq = std::uint8_t(any(0, 63));
  x.KnockGain = std::uint8_t(any(0, 63));
  x.KnockFilter = std::uint8_t(any(0, 31));
  x.KnockMaxRetard = std::uint8_t(any(0, 30));
  x.KnockRetardStep = std::uint8_t(any(0, 30));
  x.KnockRecovery = std::uint8_t(any(0, 255));
  x.AELevel = std::uint8_t(any(0, 255));
  x.AEMax = std::uint8_t(any(0, 255));
  x.AETime = std::uint8_t(any(0, 255));
  x.InjVoltageCorr = std::int8_t(any(-100, 100));
}

// Bytes and bits of SParams that no control owns.
bool Unowned(int byte, int bit)
{
  switch (byte) {
  case 1:
    return true;   // written only by a click on the external-switch controls
  case 9:
    return bit == 3 || bit >= 5;
  case 10:
  case 26:
  case 27:
  case 28:
    return true;
  case 30:
    return bit == 7;
  case 31:
    return bit >= 1;
  default:
    return byte >= 32 && byte <= 43;
  }
}

}   // namespace

TEST_F(ParamsEditorTest, ShowThenStoreOfValidBlocksChangesNoByte)
{
  std::mt19937 rng(20240611);
  Open();
  for (int round = 0; round < 300; ++round) {
    RandomValidBlocks(rng, Params, Ext);
    const QByteArray before = Bytes();
    Editor->ShowParams();
    EXPECT_EQ(Bytes(), before) << "show changed round " << round;
    Editor->StoreParams();
    const QByteArray after = Bytes();
    for (int k = 0; k < 60; ++k)
      EXPECT_EQ(std::uint8_t(after[k]), std::uint8_t(before[k])) << "byte " << k << " round " << round;
    if (after != before)
      break;
  }
  // And once through a real open and close.
  Close();
  RandomValidBlocks(rng, Params, Ext);
  const QByteArray before = Bytes();
  Open();
  Close();
  EXPECT_EQ(Bytes(), before);
}

TEST_F(ParamsEditorTest, ShowThenStoreOfAnyBytesKeepsWhatNoControlOwns)
{
  std::mt19937 rng(77);
  Open();
  for (int round = 0; round < 300; ++round) {
    auto *raw = reinterpret_cast<std::uint8_t *>(&Params);
    for (int k = 0; k < 50; ++k)
      raw[k] = std::uint8_t(rng());
    auto *ext = reinterpret_cast<std::uint8_t *>(&Ext);
    for (int k = 0; k < 10; ++k)
      ext[k] = std::uint8_t(rng());
    const QByteArray before = Bytes();
    Editor->ShowParams();
    Editor->StoreParams();
    const QByteArray after = Bytes();
    for (int byte = 0; byte < 50; ++byte) {
      for (int bit = 0; bit < 8; ++bit) {
        if (Unowned(byte, bit)) {
          ASSERT_EQ(after[byte] >> bit & 1, before[byte] >> bit & 1) << "byte " << byte << " bit " << bit;
        }
      }
    }
    // A count or index without a list entry is kept, not replaced.
    if (!QList<int>{0, 2, 3, 4, 5, 6, 8}.contains(std::uint8_t(before[0]))) {
      ASSERT_EQ(after[0], before[0]);
    }
    for (const auto &[offset, length] : {std::pair{50, 64}, std::pair{51, 64}, std::pair{52, 32}}) {
      if (std::uint8_t(before[offset]) >= length) {
        ASSERT_EQ(after[offset], before[offset]) << "knock list byte " << offset;
      }
    }
  }
}

TEST_F(ParamsEditorTest, ReshowAfterTheBlocksWereReplacedKeepsTheNewValues)
{
  Params.MaxUOZHH = 50;
  Open();
  Dec("V_Oktan")->setValue(3.5);   // typed, then a file with parameters is loaded
  SParams loaded{};
  loaded.CylCount = 6;
  loaded.MaxRpm = 1000;
  loaded.Oktan = -4;
  loaded.ExtSwitch = 0x11;
  loaded.Reserved32[5] = 0xA5;
  loaded.MaxUOZHH = 61;
  loaded.RpmHH = 11765;   // 849.98 rpm, shown as 849: rewriting it would give 11778
  loaded.DTHot = 205;     // 1.0009 V, shown as 1.00: rewriting it would give 204
  Params = loaded;
  Ext.KnockGain = 200;    // beyond the list
  Editor->ShowParams();
  Close();
  loaded.DpkvTotal = 132;
  loaded.DpkvNo = 20;
  EXPECT_EQ(std::memcmp(&Params, &loaded, sizeof Params), 0);
  EXPECT_EQ(Ext.KnockGain, 200);
}

TEST_F(ParamsEditorTest, KnockAndInjectionValuesPassThroughHiddenPages)
{
  Ext.KnockFreq = 63;
  Ext.AEMax = 77;
  Open();
  EXPECT_FALSE(PageVisible("KnockPage"));
  EXPECT_FALSE(PageVisible("InjectionPage"));
  EXPECT_EQ(List("V_DD_Freq")->currentText(), QStringLiteral(" 19.98 "));
  List("V_DD_Filter")->setCurrentIndex(31);
  Int("V_AE_Time")->setValue(9);
  Close();
  EXPECT_EQ(Ext.KnockFreq, 63);
  EXPECT_EQ(Ext.KnockFilter, 31);
  EXPECT_EQ(Ext.AEMax, 77);
  EXPECT_EQ(Ext.AETime, 9);

  Params.SensorOptions = SensorKnock;
  Open();
  EXPECT_TRUE(PageVisible("KnockPage"));
}

TEST_F(ParamsEditorTest, EveryVisiblePageFitsItsTexts)
{
  // Screenshots for a look go to ZOLT_SHOT_DIR when it is set.
  const QString shotDir = qEnvironmentVariable("ZOLT_SHOT_DIR");
  Params.SensorOptions = SensorKnock | SensorEnableDT;
  Open();
  Editor->show();
  ASSERT_TRUE(WaitFor([this] { return Editor->isVisible(); }));
  auto *pages = Get<QTabWidget>("PageControl");
  EXPECT_EQ(Editor->minimumSize(), Editor->maximumSize()) << "the window is not resizable";
  for (int tab = 0; tab < pages->count(); ++tab) {
    if (!pages->isTabVisible(tab))
      continue;
    pages->setCurrentIndex(tab);
    QWidget *page = pages->widget(tab);
    QCoreApplication::processEvents();
    SCOPED_TRACE(page->objectName().toStdString());
    const QList<QWidget *> all = page->findChildren<QWidget *>();
    QList<QWidget *> leaves;
    for (QWidget *w : all)
      if (w->isVisible() && (qobject_cast<QLabel *>(w) || qobject_cast<QAbstractButton *>(w) ||
                             qobject_cast<QAbstractSpinBox *>(w) || qobject_cast<QComboBox *>(w)))
        leaves << w;
    for (QWidget *w : leaves) {
      if (qobject_cast<QLabel *>(w) || qobject_cast<QAbstractButton *>(w)) {
        EXPECT_GE(w->width(), w->sizeHint().width()) << w->objectName().toStdString() << " is clipped";
      }
      const QRect a(w->mapTo(page, QPoint()), w->size());
      EXPECT_TRUE(page->rect().contains(a)) << w->objectName().toStdString() << " runs off the page";
      for (QWidget *other : leaves) {
        if (other != w && !w->isAncestorOf(other) && !other->isAncestorOf(w)) {
          EXPECT_FALSE(a.intersects(QRect(other->mapTo(page, QPoint()), other->size())))
              << w->objectName().toStdString() << " overlaps " << other->objectName().toStdString();
        }
      }
    }
    EXPECT_GE(pages->tabBar()->tabRect(tab).width(), pages->tabBar()->fontMetrics().horizontalAdvance(pages->tabText(tab)))
        << "tab caption clipped";
    if (!shotDir.isEmpty()) {
      QDir().mkpath(shotDir);
      Editor->grab().save(QDir(shotDir).filePath(QStringLiteral("params_%1.png").arg(page->objectName())));
    }
  }
}
