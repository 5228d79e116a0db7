#include "calibration.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

const double NineAxis[9] = {1000, 1500, 2000, 2500, 3000, 3500, 4000, 4500, 5000};

std::vector<double> Values(const TFlow &flow) {
  std::vector<double> v(flow.Count());
  flow.GetPoints(v.data(), nullptr, flow.Count(), 0);
  return v;
}

TFlow *Flow(TAllCalibration &all, int group, int index, int flow = 0) {
  return all.GetCalibration(group, index)->Flow(flow);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Construction of the set

struct SCalibrationExpect {
  int Group, Index;
  const char *Name;
  int Kind, Flows, Points;
  double FirstAxis, LastAxis, Step, Max, Min;
  std::uint32_t Color;
  bool Logarithmic;
  const char *YTitle, *XTitle;
};

TEST(CalibrationModel, SetIsBuiltFromTheTables) {
  const SCalibrationExpect rows[] = {
      {0, 0, "UOZ Petrol 1", 2, 16, 27, 610, 19531, 0.5, 60, 0, 255, true, "Angle", "RPM"},
      {0, 1, "UOZ LPG 1", 2, 16, 27, 610, 19531, 0.5, 60, 0, 8388608, true, "Angle", "RPM"},
      {0, 2, "UOZ Petrol 2", 2, 16, 27, 610, 19531, 0.5, 60, 0, 12639424, true, "Angle", "RPM"},
      {0, 3, "UOZ LPG 2", 2, 16, 27, 610, 19531, 0.5, 60, 0, 32768, true, "Angle", "RPM"},
      {0, 4, "INJ 1", 3, 16, 27, 610, 19531, 0.025, 6.0, 0.5, 65280, true, "Time", "RPM"},
      {0, 5, "INJ 2", 3, 16, 27, 610, 19531, 0.025, 6.0, 0.5, 16711935, true, "Time", "RPM"},
      {1, 0, "UOZ Start", 1, 1, 18, 476, 2500, 0.5, 60, 0, 0, true, "Angle", "RPM"},
      {1, 1, "UOZ Iddle", 1, 1, 18, 476, 2500, 0.5, 35, 0, 32896, true, "Angle", "RPM"},
      {1, 2, "UOZ Accumulation", 1, 1, 16, 5, 20, 0.5, 50, 0, 8388736, false, "Time", "Volts"},
      {1, 3, "UOZ Temperature", 1, 1, 16, -30, 120, 0.5, 30, -30, 8421376, false, "Angle", "Temp"},
      {1, 4, "UOZ Knock", 1, 1, 27, 610, 19531, 1.0, 255, 0, 0, true, "Knock", "RPM"},
      {1, 5, "INJ Start", 1, 1, 18, 476, 2500, 1.0, 255, 0, 0, true, "Time", "RPM"},
      {1, 6, "INJ Iddle", 1, 1, 16, -30, 120, 1.0, 128, 0, 0, true, "Time", "RPM"},
      {1, 7, "INJ Temperature", 1, 1, 16, -30, 120, 1.0, 255, 0, 0, false, "Time", "RPM"},
  };
  TAllCalibration all;
  EXPECT_EQ(all.WorkCount(), 6);
  EXPECT_EQ(all.OtherCount(), 8);
  for (const SCalibrationExpect &row : rows) {
    SCOPED_TRACE(row.Name);
    const TCalibration *c = all.GetCalibration(row.Group, row.Index);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->Name(), QString::fromLatin1(row.Name));
    EXPECT_EQ(c->Kind(), row.Kind);
    EXPECT_EQ(c->Count(), row.Flows);
    EXPECT_EQ(c->GetColor(), row.Color);
    EXPECT_EQ(c->YTitle(), QString::fromLatin1(row.YTitle));
    EXPECT_EQ(c->XTitle(), QString::fromLatin1(row.XTitle));
    EXPECT_FALSE(c->IsVisibleData());
    EXPECT_TRUE(c->IsEnabled());
    EXPECT_EQ(c->GetMax(), row.Max);
    EXPECT_EQ(c->GetMin(), row.Min);
    EXPECT_EQ(c->GetStep(), row.Step);
    for (int j = 0; j < c->Count(); ++j) {
      const TFlow *f = c->Flow(j);
      EXPECT_EQ(f->Count(), row.Points);
      EXPECT_EQ(f->AxisValue(0), row.FirstAxis);
      EXPECT_EQ(f->AxisValue(row.Points - 1), row.LastAxis);
      EXPECT_EQ(f->GetColor(), row.Color);
      EXPECT_EQ(f->IsLogarithmic(), row.Logarithmic);
      EXPECT_FALSE(f->IsEnabled());
      EXPECT_FALSE(f->IsVisibleData());
      EXPECT_EQ(f->FreezePoint(), -1);
      for (int i = 0; i < f->Count(); ++i)
        ASSERT_EQ(f->Value(i), row.Min == 0.5 ? 0.5 : 0.0) << "point " << i;
    }
  }
}

TEST(CalibrationModel, LookupsOutsideTheRangesGiveNone) {
  TAllCalibration all;
  EXPECT_EQ(all.GetCalibration(0, 5)->Name(), "INJ 2");
  EXPECT_EQ(all.GetCalibration(0, 6), nullptr);
  EXPECT_EQ(all.GetCalibration(1, 7)->Name(), "INJ Temperature");
  EXPECT_EQ(all.GetCalibration(1, 8), nullptr);
  EXPECT_EQ(all.GetCalibration(2, 0), nullptr);
  EXPECT_EQ(all.GetCalibration(0, -1), nullptr);
  EXPECT_EQ(all.GetCalibration(0, 0)->Flow(16), nullptr);
  EXPECT_EQ(all.GetCalibration(0, 0)->Flow(-1), nullptr);
  EXPECT_NE(all.GetCalibration(0, 0)->Flow(15), nullptr);
  EXPECT_EQ(all.GetCalibration(1, 0)->Flow(1), nullptr);
  EXPECT_EQ(all.GetCalibration(0, 0)->TypeName(), "TCalibration *");
  EXPECT_EQ(Flow(all, 0, 0)->TypeName(), "TFlow *");
}

// ---------------------------------------------------------------------------------------------
// Normalize and SetPoint

TEST(CalibrationModel, NormalizeLimitsAndRoundsHalvesUpward) {
  TAllCalibration all;
  struct SCase {
    int Group, Index;
    double In, Out;
  };
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const SCase cases[] = {
      {0, 0, 12.74, 12.5},  {0, 0, 12.75, 13.0}, {0, 0, 12.25, 12.5}, {0, 0, 12.2499, 12.0},
      {0, 0, 60.2, 60.0},   {0, 0, -1.0, 0.0},   {0, 0, nan, 0.0},     {0, 0, inf, 60.0},
      {0, 0, -inf, 0.0},    {0, 4, 0.56, 0.55},  {0, 4, 0.2, 0.5},     {0, 4, 7.0, 6.0},
      // Decimal halves of a fine step that fall just below the half in binary.
      {0, 4, 0.5125, 0.525}, {0, 4, 0.0625 + 1.0, 1.075}, {0, 4, 2.2875, 2.3},
      {1, 3, -40, -30},     {1, 3, 31, 30},      {1, 3, -0.2, 0.0},    {1, 3, -12.25, -12.0},
      {1, 3, -12.26, -12.5}, {1, 4, 254.5, 255}, {1, 6, 200, 128},
  };
  for (const SCase &c : cases) {
    const TFlow *f = Flow(all, c.Group, c.Index);
    EXPECT_NEAR(f->Normalize(c.In), c.Out, 1e-12)
        << all.GetCalibration(c.Group, c.Index)->Name().toStdString() << " x=" << c.In;
  }
}

TEST(CalibrationModel, SetPointOnlyChangesEnabledFlows) {
  TAllCalibration all;
  TFlow *f = Flow(all, 0, 0);
  EXPECT_EQ(f->SetPoint(0, 12.3), -1.0);
  EXPECT_EQ(f->Value(0), 0.0);
  f->SetEnabled(true);
  EXPECT_EQ(f->SetPoint(0, 12.3), 12.5);
  EXPECT_EQ(f->Value(0), 12.5);
  // An index outside the flow is refused, not written past the array.
  EXPECT_EQ(f->SetPoint(27, 5.0), -1.0);
  EXPECT_EQ(f->SetPoint(-1, 5.0), -1.0);
  EXPECT_EQ(f->Value(27), 0.0);
}

TEST(CalibrationModel, DisabledFlowIgnoresEveryChange) {
  TAllCalibration all;
  TFlow *f = Flow(all, 0, 1);
  f->SetEnabled(true);
  f->SetAll(10.0);
  f->SetEnabled(false);
  const std::vector<double> before = Values(*f);
  f->SetAll(20.0);
  f->AddToAll(5.0);
  const double v[3] = {1, 2, 3};
  f->SetPoints(v, nullptr, 3, 0);
  f->SetColor(123);
  f->SetMax(10.0);
  f->SetMin(5.0);
  f->SetFreezePoint(3);
  EXPECT_EQ(Values(*f), before);
  EXPECT_EQ(f->GetColor(), 8388608u);
  EXPECT_EQ(f->GetMax(), 60.0);
  EXPECT_EQ(f->GetMin(), 0.0);
  EXPECT_EQ(f->FreezePoint(), -1);
}

TEST(CalibrationModel, SetAllAndAddToAllStayWithinLimits) {
  TAllCalibration all;
  TFlow *f = Flow(all, 0, 1, 3);
  f->SetEnabled(true);
  f->SetAll(59.0);
  f->AddToAll(2.0);
  EXPECT_EQ(Values(*f), std::vector<double>(27, 60.0));
  f->AddToAll(-100.0);
  EXPECT_EQ(Values(*f), std::vector<double>(27, 0.0));

  TCalibration *inj = all.GetCalibration(0, 4);
  inj->SetEnabled(true);
  inj->SetAll(1.013);   // rounds to 1.025 in every flow
  for (int j = 0; j < inj->Count(); ++j)
    for (double v : Values(*inj->Flow(j)))
      ASSERT_NEAR(v, 1.025, 1e-12);
}

TEST(CalibrationModel, SetPointsAndGetPointsShortenAtTheEnd) {
  TAllCalibration all;
  TFlow *f = Flow(all, 1, 0);   // 18 points
  f->SetEnabled(true);
  std::vector<double> in(24);
  for (int k = 0; k < 24; ++k)
    in[k] = k + 0.2;
  f->SetPoints(in.data(), nullptr, 24, 0);
  for (int k = 0; k < 18; ++k)
    EXPECT_EQ(f->Value(k), k + 0.0) << k;

  double out[5] = {-1, -1, -1, -1, -1};
  double axis[5] = {-1, -1, -1, -1, -1};
  EXPECT_EQ(f->GetPoints(out, axis, 5, 15), 3);
  EXPECT_EQ(out[0], 15.0);
  EXPECT_EQ(out[2], 17.0);
  EXPECT_EQ(out[3], -1.0);
  EXPECT_EQ(axis[0], 1667.0);
  EXPECT_EQ(axis[2], 2500.0);

  const double raw[2] = {7.3, 8.9};
  const double rawAxis[2] = {1234.7, 1300.2};
  f->SetPoints(raw, rawAxis, 2, 16);
  EXPECT_EQ(f->Value(16), 7.5);
  EXPECT_EQ(f->AxisValue(16), 1234);   // axis stored as given, read truncated
  EXPECT_EQ(f->AxisValue(17), 1300);
}

// ---------------------------------------------------------------------------------------------
// Freeze point

class CalibrationFreeze : public ::testing::Test {
protected:
  CalibrationFreeze() : F(9, NineAxis, 0, 0.5) {
    for (int i = 0; i < 9; ++i)
      F.SetPoint(i, 10.0 + i);   // 10 .. 18
    F.SetPoint(6, 20.0);
  }
  TFlow F;
};

TEST_F(CalibrationFreeze, MovesThePointsBetweenInProportion) {
  F.SetFreezePoint(2);
  EXPECT_EQ(F.SetPoint(6, 26.0), 26.0);
  const std::vector<double> expect = {10, 11, 12, 13 + 1.5, 14 + 3.0, 15 + 4.5, 26, 17, 18};
  EXPECT_EQ(Values(F), expect);
  // The same edit again starts from the snapshot: nothing adds up.
  F.SetPoint(6, 26.0);
  EXPECT_EQ(Values(F), expect);
  // A smaller move of the same point replaces the earlier one.
  F.SetPoint(6, 22.0);
  EXPECT_EQ(Values(F), (std::vector<double>{10, 11, 12, 13.5, 15, 16.5, 22, 17, 18}));
}

TEST_F(CalibrationFreeze, WorksTowardTheStartAndRoundsTheUnroundedEdit) {
  F.SetFreezePoint(6);
  // Point 0 raised by 6.2 (unrounded): point j moves by 6.2 * (A[6] - A[j]) / (A[6] - A[0]).
  F.SetPoint(0, 16.2);
  const std::vector<double> v = Values(F);
  EXPECT_EQ(v[0], 16.0);
  const double expect[6] = {16.0, 11 + 6.2 * 5 / 6, 12 + 6.2 * 4 / 6, 13 + 6.2 * 3 / 6,
                            14 + 6.2 * 2 / 6, 15 + 6.2 * 1 / 6};
  for (int j = 1; j < 6; ++j)
    EXPECT_EQ(v[j], F.Normalize(expect[j])) << j;
  EXPECT_EQ(v[6], 20.0);
  EXPECT_EQ(v[7], 17.0);
  EXPECT_EQ(v[8], 18.0);
}

TEST_F(CalibrationFreeze, SetAndClearRules) {
  F.SetFreezePoint(9);    // not a point of a 9-point flow
  EXPECT_EQ(F.FreezePoint(), -1);
  F.SetFreezePoint(-2);
  EXPECT_EQ(F.FreezePoint(), -1);
  F.SetFreezePoint(4);
  EXPECT_EQ(F.FreezePoint(), 4);
  F.SetPoint(4, 30.0);    // editing the frozen point itself moves nothing else
  EXPECT_EQ(Values(F), (std::vector<double>{10, 11, 12, 13, 30, 15, 20, 17, 18}));
  F.SetFreezePoint(-1);
  EXPECT_EQ(F.FreezePoint(), -1);
  F.SetPoint(8, 40.0);
  EXPECT_EQ(Values(F), (std::vector<double>{10, 11, 12, 13, 30, 15, 20, 17, 40}));

  TAllCalibration all;
  TFlow *f = Flow(all, 0, 0);
  f->SetFreezePoint(27);
  EXPECT_EQ(f->FreezePoint(), -1);
}

// ---------------------------------------------------------------------------------------------
// Interpolate and Resample

TEST(CalibrationModel, InterpolateAtAndBeyondTheNodes) {
  const double xs[3] = {600, 720, 840};
  const double ys[3] = {10, 20, 30};
  struct SCase {
    double X, Y;
  };
  const SCase cases[] = {{600, 10}, {660, 15}, {720, 20}, {780, 25},  {840, 30},
                         {900, 30}, {500, 10}, {-1e9, 10}, {601, 10 + 10.0 / 120}};
  for (const SCase &c : cases)
    EXPECT_DOUBLE_EQ(TFlow::Interpolate(xs, ys, 3, c.X), c.Y) << "x=" << c.X;

  EXPECT_EQ(TFlow::Interpolate(nullptr, nullptr, 0, 700), 0.0);   // arrays not read
  EXPECT_EQ(TFlow::Interpolate(xs, ys, -3, 700), 0.0);
  const double one[1] = {7};
  const double oneX[1] = {500};
  EXPECT_EQ(TFlow::Interpolate(oneX, one, 1, 400), 7.0);
  EXPECT_EQ(TFlow::Interpolate(oneX, one, 1, 600), 7.0);
}

TEST(CalibrationModel, ResampleLooksUpTruncatedAxisValues) {
  TAllCalibration all;
  TFlow *f = Flow(all, 1, 1);   // "UOZ Iddle", 476 .. 2500 rpm, max 35
  f->SetEnabled(true);
  const double xs[3] = {600, 1000, 2000};
  const double ys[3] = {10, 20, 40};
  f->Resample(xs, ys, 3);
  const std::vector<double> v = Values(*f);
  EXPECT_EQ(v[0], 10.0);    // 476 rpm, below the first node
  EXPECT_EQ(v[4], 10.0);    // 588 rpm
  EXPECT_EQ(v[5], f->Normalize(10 + 25.0 / 400 * 10));   // 625 rpm
  EXPECT_EQ(v[11], 20.0);   // 1000 rpm, at a node
  EXPECT_EQ(v[16], 35.0);   // 2000 rpm: 40 limited to 35
  EXPECT_EQ(v[17], 35.0);
}

// ---------------------------------------------------------------------------------------------
// CopyTo, colours, visibility

TEST(CalibrationModel, CopyToNeedsTheSameShapeAndAnEnabledTarget) {
  TAllCalibration all;
  TFlow *from = Flow(all, 0, 0, 0);
  from->SetEnabled(true);
  for (int i = 0; i < 27; ++i)
    from->SetPoint(i, i * 1.5);

  TFlow *to = Flow(all, 0, 1, 0);
  from->CopyTo(to);                                  // disabled target
  EXPECT_EQ(Values(*to), std::vector<double>(27, 0.0));
  to->SetEnabled(true);
  from->CopyTo(to);
  EXPECT_EQ(Values(*to), Values(*from));

  TFlow *start = Flow(all, 1, 0);                    // 18 points
  start->SetEnabled(true);
  from->CopyTo(start);
  EXPECT_EQ(Values(*start), std::vector<double>(18, 0.0));
  from->CopyTo(all.GetCalibration(0, 2));            // a calibration is not a flow
  from->CopyTo(nullptr);

  TCalibration *petrol2 = all.GetCalibration(0, 2);
  TCalibration *lpg2 = all.GetCalibration(0, 3);
  lpg2->SetEnabled(true);
  petrol2->Flow(5)->SetEnabled(true);
  petrol2->Flow(5)->SetAll(33.0);
  petrol2->CopyTo(lpg2);
  EXPECT_EQ(Values(*lpg2->Flow(5)), std::vector<double>(27, 33.0));
  petrol2->CopyTo(all.GetCalibration(1, 4));         // one flow against sixteen: nothing
  EXPECT_EQ(Values(*all.GetCalibration(1, 4)->Flow(0)), std::vector<double>(27, 0.0));
}

TEST(CalibrationModel, ColourAndVisibilityOfACalibration) {
  TAllCalibration all;
  TCalibration *c = all.GetCalibration(0, 0);
  c->Flow(3)->SetEnabled(true);
  c->SetColor(0x00112233);
  EXPECT_EQ(c->GetColor(), 0x00112233u);
  EXPECT_EQ(c->Flow(3)->GetColor(), 0x00112233u);
  EXPECT_EQ(c->Flow(4)->GetColor(), 255u);   // disabled flows keep theirs
  c->SetVisibleData(true);
  EXPECT_TRUE(c->IsVisibleData());
  EXPECT_TRUE(c->Flow(0)->IsVisibleData());
  EXPECT_TRUE(c->Flow(15)->IsVisibleData());
}

// ---------------------------------------------------------------------------------------------
// CreateFlows

struct SCreateCase {
  const char *Name;
  std::vector<double> Before;        // one point per flow
  std::vector<bool> Enabled;
  std::vector<double> After;
};

TEST(CalibrationCreateFlows, InterpolatesBetweenFixedFlows) {
  const double axis[1] = {1000};
  const SCreateCase cases[] = {
      {"all inner checked", {10, 0, 0, 0, 30}, {true, true, true, true, true}, {10, 15, 20, 25, 30}},
      {"flow 3 fixed", {10, 0, 40, 0, 30}, {true, true, false, true, true}, {10, 25, 40, 35, 30}},
      {"two flows", {10, 30}, {true, true}, {10, 30}},
      {"three flows", {10, 0, 21}, {true, true, true}, {10, 15.5, 21}},
      {"second-to-last fixed", {10, 0, 0, 40, 7}, {true, true, true, false, true},
       {10, 20, 30, 40, 7}},
      // Steps that are no multiple of 0.5 are truncated toward zero first: 10 + 7/3 = 12.33.
      {"truncation", {10, 0, 0, 17}, {true, true, true, true}, {10, 12, 14.5, 17}},
      {"disabled ends stay", {10, 0, 30}, {false, true, false}, {10, 20, 30}},
  };
  for (const SCreateCase &c : cases) {
    SCOPED_TRACE(c.Name);
    const int n = int(c.Before.size());
    TCalibration cal(n, "T", false, 0, 2, 0, 60, 0.5, 1, axis);
    cal.SetEnabled(true);
    for (int j = 0; j < n; ++j)
      cal.Flow(j)->SetPoint(0, c.Before[j]);
    for (int j = 0; j < n; ++j)
      cal.Flow(j)->SetEnabled(c.Enabled[j]);
    cal.CreateFlows();
    for (int j = 0; j < n; ++j) {
      EXPECT_EQ(cal.Flow(j)->Value(0), c.After[j]) << "flow " << j + 1;
      EXPECT_EQ(cal.Flow(j)->IsEnabled(), c.Enabled[j]) << "flow " << j + 1;
    }
  }
}

TEST(CalibrationCreateFlows, WorksOnEveryPointOfAMap) {
  TAllCalibration all;
  TCalibration *map = all.GetCalibration(0, 0);
  map->SetEnabled(true);
  for (int i = 0; i < 27; ++i) {
    map->Flow(0)->SetPoint(i, i);
    map->Flow(15)->SetPoint(i, i + 30.0);
  }
  map->CreateFlows();
  for (int j = 0; j < 16; ++j)
    for (int i = 0; i < 27; ++i)
      ASSERT_EQ(map->Flow(j)->Value(i), i + 2.0 * j) << "flow " << j << " point " << i;
}
