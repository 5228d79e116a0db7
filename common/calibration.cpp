#include "calibration.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>

const double RpmAxis27[27] = {610,  651,  698,  751,  814,  888,  977,  1085,  1221,
                              1395, 1628, 1953, 2441, 2604, 2790, 3005, 3255,  3551,
                              3906, 4340, 4883, 5580, 6510, 7813, 9766, 13021, 19531};
const double RpmAxis18[18] = {476, 500, 526, 556, 588, 625,  667,  714,  769,
                              833, 909, 1000, 1111, 1250, 1429, 1667, 2000, 2500};
const double TempAxis16[16] = {-30, -20, -10, 0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120};
const double VoltAxis16[16] = {5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20};

TBaseClass::~TBaseClass() = default;

// ---------------------------------------------------------------------------------------------
// TFlow

TFlow::TFlow(int pointCount, const double *axisValues, std::uint32_t color, double step)
    : FPointCount(std::clamp(pointCount, 1, MaxPoints)), FColor(color) {
  // A step that is not positive would make every value NaN; fall back to whole units.
  FStep = step > 0.0 ? step : 1.0;
  if (axisValues)
    std::copy(axisValues, axisValues + FPointCount, FAxis);
}

TFlow::~TFlow() = default;

std::uint32_t TFlow::GetColor() const { return FColor; }

void TFlow::SetColor(std::uint32_t color) {
  if (FEnabled)
    FColor = color;
}

bool TFlow::IsEnabled() const { return FEnabled; }
bool TFlow::IsVisibleData() const { return FVisibleData; }
QString TFlow::TypeName() const { return QStringLiteral("TFlow *"); }
int TFlow::Count() const { return FPointCount; }

void TFlow::SetAll(double x) {
  if (!FEnabled)
    return;
  for (int i = 0; i < FPointCount; ++i)
    SetPoint(i, x);
}

void TFlow::AddToAll(double d) {
  if (!FEnabled)
    return;
  // Each value is read just before it is stored: with a freeze point set, earlier steps may
  // already have moved the later points.
  for (int i = 0; i < FPointCount; ++i)
    SetPoint(i, Value(i) + d);
}

void TFlow::SetFreezePoint(int index) {
  if (!FEnabled || index < -1 || index >= FPointCount)
    return;
  FFreezePoint = index;
  std::copy(std::begin(FValues), std::end(FValues), FSnapshot);
}

void TFlow::CopyTo(TBaseClass *target) const {
  if (!target || target->TypeName() != TypeName() || target->Count() != Count())
    return;
  auto *flow = dynamic_cast<TFlow *>(target);
  if (!flow)
    return;
  for (int i = 0; i < FPointCount; ++i)
    flow->SetPoint(i, FValues[i]);
}

void TFlow::SetEnabled(bool enabled) { FEnabled = enabled; }
void TFlow::SetVisibleData(bool visible) { FVisibleData = visible; }
double TFlow::GetMax() const { return FMax; }
double TFlow::GetMin() const { return FMin; }
double TFlow::GetStep() const { return FStep; }

double TFlow::Normalize(double x) const {
  if (!(x >= FMin))
    x = FMin;
  if (x > FMax)
    x = FMax;
  // Nearest multiple of the step, halves upward. The small allowance keeps decimal halves such as
  // 0.5125 at step 0.025 from falling just below the half in binary and rounding down.
  const double q = (FStep * 0.5 + x) / FStep;
  return std::floor(q + 1e-9) * FStep;
}

double TFlow::SetPoint(int i, double x) {
  if (!FEnabled || i < 0 || i >= FPointCount)
    return -1.0;
  FValues[i] = Normalize(x);
  ApplyFreezeRule(i, x);
  return FValues[i];
}

// Moves the points strictly between the freeze point f and the edited point k in proportion to
// their axis distance from f, always from the snapshot, so repeated edits never add up.
void TFlow::ApplyFreezeRule(int k, double x) {
  const int f = FFreezePoint;
  if (f < 0 || f == k || f >= FPointCount)
    return;
  const double span = FAxis[k] - FAxis[f];
  // Equal axis values (only possible after SetPoints with raw axis values) give no proportion;
  // leave the points as they are rather than store NaN results.
  if (span == 0.0)
    return;
  const double rise = x - FSnapshot[k];
  if (k > f) {
    for (int j = f + 1; j < k; ++j)
      FValues[j] = Normalize(FSnapshot[j] + rise * (FAxis[j] - FAxis[f]) / span);
  } else {
    for (int j = k + 1; j < f; ++j)
      FValues[j] = Normalize(FSnapshot[j] + rise * (FAxis[f] - FAxis[j]) / -span);
  }
}

void TFlow::SetPoints(const double *values, const double *axisValues, int n, int first) {
  if (!FEnabled || !values || first < 0 || first >= FPointCount || n <= 0)
    return;
  n = std::min(n, FPointCount - first);
  for (int k = 0; k < n; ++k) {
    SetPoint(first + k, values[k]);
    if (axisValues)
      FAxis[first + k] = axisValues[k];
  }
}

int TFlow::GetPoints(double *values, double *axisValues, int n, int first) const {
  if (first < 0 || first >= FPointCount || n <= 0)
    return 0;
  n = std::min(n, FPointCount - first);
  for (int k = 0; k < n; ++k) {
    if (values)
      values[k] = FValues[first + k];
    if (axisValues)
      axisValues[k] = FAxis[first + k];
  }
  return n;
}

double TFlow::Value(int i) const { return i >= 0 && i < FPointCount ? FValues[i] : 0.0; }

int TFlow::AxisValue(int i) const {
  if (i < 0 || i >= FPointCount || !std::isfinite(FAxis[i]))
    return 0;
  return static_cast<int>(std::clamp(FAxis[i], -2147483648.0, 2147483647.0));
}

int TFlow::FreezePoint() const { return FFreezePoint; }
bool TFlow::IsLogarithmic() const { return FLogarithmic; }
void TFlow::SetLogarithmic(bool logarithmic) { FLogarithmic = logarithmic; }

void TFlow::SetMax(double x) {
  if (FEnabled)
    FMax = x;
}

void TFlow::SetMin(double x) {
  if (FEnabled)
    FMin = x;
}

double TFlow::Interpolate(const double *xs, const double *ys, int n, double x) {
  if (n < 1 || !xs || !ys)
    return 0.0;
  // At or below the first node the curve holds its first value: an idle curve that starts at
  // 600 rpm must not hand 0 degrees to the model's points below it. NaN lands here as well.
  if (!(x > xs[0]))
    return ys[0];
  if (x > xs[n - 1])
    return ys[n - 1];
  for (int i = 0; i + 1 < n; ++i) {
    if (xs[i] < x && x <= xs[i + 1])
      return ys[i] + (x - xs[i]) / (xs[i + 1] - xs[i]) * (ys[i + 1] - ys[i]);
  }
  return 0.0;   // only reached when xs is not ascending
}

void TFlow::Resample(const double *xs, const double *ys, int n) {
  for (int i = 0; i < FPointCount; ++i)
    SetPoint(i, Interpolate(xs, ys, n, AxisValue(i)));
}

// ---------------------------------------------------------------------------------------------
// TCalibration

TCalibration::TCalibration(int flowCount, const QString &name, bool logarithmic,
                           std::uint32_t color, std::uint8_t kind, double lowerLimit,
                           double upperLimit, double step, int pointCount,
                           const double *axisValues)
    : FFlowCount(std::clamp(flowCount, 1, MaxFlows)), FName(name), FKind(kind), FColor(color) {
  for (int k = 0; k < FFlowCount; ++k) {
    auto *flow = new TFlow(pointCount, axisValues, color, step);
    flow->SetMax(upperLimit);
    flow->SetMin(lowerLimit);
    flow->SetAll(0.0);
    flow->SetEnabled(false);
    flow->SetVisibleData(false);
    flow->SetLogarithmic(logarithmic);
    FFlows[k] = flow;
  }
}

TCalibration::~TCalibration() {
  for (TFlow *flow : FFlows)
    delete flow;
}

std::uint32_t TCalibration::GetColor() const { return FColor; }

void TCalibration::SetColor(std::uint32_t color) {
  FColor = color;
  for (int k = 0; k < FFlowCount; ++k)
    FFlows[k]->SetColor(color);
}

bool TCalibration::IsEnabled() const { return true; }
bool TCalibration::IsVisibleData() const { return FVisibleData; }
QString TCalibration::TypeName() const { return QStringLiteral("TCalibration *"); }
int TCalibration::Count() const { return FFlowCount; }

void TCalibration::SetAll(double x) {
  for (int k = 0; k < FFlowCount; ++k)
    FFlows[k]->SetAll(x);
}

void TCalibration::AddToAll(double d) {
  for (int k = 0; k < FFlowCount; ++k)
    FFlows[k]->AddToAll(d);
}

void TCalibration::SetFreezePoint(int index) {
  for (int k = 0; k < FFlowCount; ++k)
    FFlows[k]->SetFreezePoint(index);
}

void TCalibration::CopyTo(TBaseClass *target) const {
  if (!target || target->TypeName() != TypeName() || target->Count() != Count())
    return;
  auto *calibration = dynamic_cast<TCalibration *>(target);
  if (!calibration)
    return;
  for (int k = 0; k < FFlowCount; ++k)
    FFlows[k]->CopyTo(calibration->FFlows[k]);
}

void TCalibration::SetEnabled(bool enabled) {
  for (int k = 0; k < FFlowCount; ++k)
    FFlows[k]->SetEnabled(enabled);
}

void TCalibration::SetVisibleData(bool visible) {
  for (int k = 0; k < FFlowCount; ++k)
    FFlows[k]->SetVisibleData(visible);
  FVisibleData = visible;
}

double TCalibration::GetMax() const { return FFlows[FFlowCount - 1]->GetMax(); }
double TCalibration::GetMin() const { return FFlows[FFlowCount - 1]->GetMin(); }
double TCalibration::GetStep() const { return FFlows[FFlowCount - 1]->GetStep(); }

TFlow *TCalibration::Flow(int k) { return k >= 0 && k < FFlowCount ? FFlows[k] : nullptr; }

const TFlow *TCalibration::Flow(int k) const {
  return k >= 0 && k < FFlowCount ? FFlows[k] : nullptr;
}

QString TCalibration::Name() const { return FName; }
std::uint8_t TCalibration::Kind() const { return FKind; }
QString TCalibration::XTitle() const { return FXTitle; }
QString TCalibration::YTitle() const { return FYTitle; }
void TCalibration::SetXTitle(const QString &title) { FXTitle = title; }
void TCalibration::SetYTitle(const QString &title) { FYTitle = title; }

void TCalibration::CreateFlows() {
  const int count = FFlowCount;
  if (count <= 2)
    return;
  TFlow *firstFlow = FFlows[0];
  TFlow *lastFlow = FFlows[count - 1];
  const bool firstEnabled = firstFlow->IsEnabled();
  const bool lastEnabled = lastFlow->IsEnabled();
  // The end flows are fixed: disabled for the duration, SetPoint cannot touch them.
  firstFlow->SetEnabled(false);
  lastFlow->SetEnabled(false);

  // Single precision throughout, so that the generated values are the same on every build.
  for (int i = 0; i < firstFlow->Count(); ++i) {
    int a = 0;
    float ya = static_cast<float>(firstFlow->Value(i));
    for (int j = 1; j <= count - 2; ++j) {
      const bool enabled = FFlows[j]->IsEnabled();
      if (enabled && j != count - 2)
        continue;
      const int b = enabled ? j + 1 : j;
      const float yb = static_cast<float>(FFlows[b]->Value(i));
      const float s = (yb - ya) / (static_cast<float>(b) - static_cast<float>(a));
      float m = yb - s;
      for (int k = b - 1; k > a; --k) {
        FFlows[k]->SetPoint(i, std::trunc(2.0f * m) / 2.0f);
        m = m - s;
      }
      a = j;
      ya = static_cast<float>(FFlows[j]->Value(i));
    }
  }

  firstFlow->SetEnabled(firstEnabled);
  lastFlow->SetEnabled(lastEnabled);
}

// ---------------------------------------------------------------------------------------------
// TAllCalibration

namespace {

struct SCalibrationRow {
  const char *Name;
  std::uint8_t Kind;
  int Flows;
  int Points;
  const double *Axis;
  double Step;
  double Max;
  double Min;
  std::uint32_t Color;
  bool Logarithmic;
  const char *ValueTitle;
  const char *ArgumentTitle;
};

// The argument titles of "INJ Iddle" and "INJ Temperature" and the logarithmic mark of
// "INJ Iddle" are as the ECU tables have always had them.
const SCalibrationRow WorkRows[TAllCalibration::WorkCalibrations] = {
    {QT_TRANSLATE_NOOP("TAllCalibration", "UOZ Petrol 1"), 2, 16, 27, RpmAxis27, 0.5, 60, 0,
     255, true, QT_TRANSLATE_NOOP("TAllCalibration", "Angle"),
     QT_TRANSLATE_NOOP("TAllCalibration", "RPM")},
    {QT_TRANSLATE_NOOP("TAllCalibration", "UOZ LPG 1"), 2, 16, 27, RpmAxis27, 0.5, 60, 0,
     8388608, true, "Angle", "RPM"},
    {QT_TRANSLATE_NOOP("TAllCalibration", "UOZ Petrol 2"), 2, 16, 27, RpmAxis27, 0.5, 60, 0,
     12639424, true, "Angle", "RPM"},
    {QT_TRANSLATE_NOOP("TAllCalibration", "UOZ LPG 2"), 2, 16, 27, RpmAxis27, 0.5, 60, 0,
     32768, true, "Angle", "RPM"},
    {QT_TRANSLATE_NOOP("TAllCalibration", "INJ 1"), 3, 16, 27, RpmAxis27, 0.025, 6.0, 0.5,
     65280, true, QT_TRANSLATE_NOOP("TAllCalibration", "Time"), "RPM"},
    {QT_TRANSLATE_NOOP("TAllCalibration", "INJ 2"), 3, 16, 27, RpmAxis27, 0.025, 6.0, 0.5,
     16711935, true, "Time", "RPM"},
};

const SCalibrationRow OtherRows[TAllCalibration::OtherCalibrations] = {
    {QT_TRANSLATE_NOOP("TAllCalibration", "UOZ Start"), 1, 1, 18, RpmAxis18, 0.5, 60, 0, 0, true,
     "Angle", "RPM"},
    {QT_TRANSLATE_NOOP("TAllCalibration", "UOZ Iddle"), 1, 1, 18, RpmAxis18, 0.5, 35, 0, 32896,
     true, "Angle", "RPM"},
    {QT_TRANSLATE_NOOP("TAllCalibration", "UOZ Accumulation"), 1, 1, 16, VoltAxis16, 0.5, 50, 0,
     8388736, false, "Time", QT_TRANSLATE_NOOP("TAllCalibration", "Volts")},
    {QT_TRANSLATE_NOOP("TAllCalibration", "UOZ Temperature"), 1, 1, 16, TempAxis16, 0.5, 30, -30,
     8421376, false, "Angle", QT_TRANSLATE_NOOP("TAllCalibration", "Temp")},
    {QT_TRANSLATE_NOOP("TAllCalibration", "UOZ Knock"), 1, 1, 27, RpmAxis27, 1.0, 255, 0, 0, true,
     QT_TRANSLATE_NOOP("TAllCalibration", "Knock"), "RPM"},
    {QT_TRANSLATE_NOOP("TAllCalibration", "INJ Start"), 1, 1, 18, RpmAxis18, 1.0, 255, 0, 0, true,
     "Time", "RPM"},
    {QT_TRANSLATE_NOOP("TAllCalibration", "INJ Iddle"), 1, 1, 16, TempAxis16, 1.0, 128, 0, 0, true,
     "Time", "RPM"},
    {QT_TRANSLATE_NOOP("TAllCalibration", "INJ Temperature"), 1, 1, 16, TempAxis16, 1.0, 255, 0, 0,
     false, "Time", "RPM"},
};

QString Tr(const char *text) { return QCoreApplication::translate("TAllCalibration", text); }

TCalibration *Build(const SCalibrationRow &row) {
  auto *calibration = new TCalibration(row.Flows, Tr(row.Name), row.Logarithmic, row.Color,
                                       row.Kind, row.Min, row.Max, row.Step, row.Points, row.Axis);
  calibration->SetYTitle(Tr(row.ValueTitle));
  calibration->SetXTitle(Tr(row.ArgumentTitle));
  return calibration;
}

} // namespace

TAllCalibration::TAllCalibration() {
  for (int i = 0; i < WorkCalibrations; ++i)
    FWork[i] = Build(WorkRows[i]);
  for (int i = 0; i < OtherCalibrations; ++i)
    FOther[i] = Build(OtherRows[i]);
}

TAllCalibration::~TAllCalibration() {
  for (TCalibration *calibration : FWork)
    delete calibration;
  for (TCalibration *calibration : FOther)
    delete calibration;
}

TCalibration *TAllCalibration::GetCalibration(int group, int index) {
  if (group == 0 && index >= 0 && index < WorkCalibrations)
    return FWork[index];
  if (group == 1 && index >= 0 && index < OtherCalibrations)
    return FOther[index];
  return nullptr;
}

const TCalibration *TAllCalibration::GetCalibration(int group, int index) const {
  return const_cast<TAllCalibration *>(this)->GetCalibration(group, index);
}

int TAllCalibration::WorkCount() const { return WorkCalibrations; }
int TAllCalibration::OtherCount() const { return OtherCalibrations; }
