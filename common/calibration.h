#pragma once
// The calibration model: flows (single curves of up to 27 points), calibrations (up to 16 flows)
// and the set of all 14 calibrations held by the manager.
//
// The plug-in works on the manager's objects through pointers and calls both the virtual and the
// non-virtual operations, so every operation is defined once, in zoltcommon, and nothing here is
// inline. Only the manager constructs and destroys these objects.

#include <QString>
#include <cstdint>

// Fixed argument axes: engine speed (rpm), temperature (degrees C), supply voltage (V).
extern const double RpmAxis27[27];
extern const double RpmAxis18[18];
extern const double TempAxis16[16];
extern const double VoltAxis16[16];

// The common face of a flow and a calibration, so that the editor treats a selected tree node the
// same way whichever it holds. The order of the virtual operations is fixed: both deliverables
// call them through the same table.
class TBaseClass {
public:
  TBaseClass() = default;
  TBaseClass(const TBaseClass &) = delete;
  TBaseClass &operator=(const TBaseClass &) = delete;

  virtual ~TBaseClass();
  virtual std::uint32_t GetColor() const = 0;          // Windows colour 0x00BBGGRR
  virtual void SetColor(std::uint32_t color) = 0;
  virtual bool IsEnabled() const = 0;
  virtual bool IsVisibleData() const = 0;
  virtual QString TypeName() const = 0;                // "TFlow *" or "TCalibration *"
  virtual int Count() const = 0;                       // points of a flow, flows of a calibration
  virtual void SetAll(double x) = 0;
  virtual void AddToAll(double d) = 0;
  virtual void SetFreezePoint(int index) = 0;
  virtual void CopyTo(TBaseClass *target) const = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual void SetVisibleData(bool visible) = 0;
  virtual double GetMax() const = 0;
  virtual double GetMin() const = 0;
  virtual double GetStep() const = 0;
};

// One curve. While it is disabled nothing changes its values, colour, limits or freeze point;
// reading works whatever the flag.
class TFlow final : public TBaseClass {
public:
  static constexpr int MaxPoints = 27;

  // pointCount is capped at MaxPoints; axisValues must hold pointCount values (ascending).
  TFlow(int pointCount, const double *axisValues, std::uint32_t color, double step);
  ~TFlow() override;

  std::uint32_t GetColor() const override;
  void SetColor(std::uint32_t color) override;
  bool IsEnabled() const override;
  bool IsVisibleData() const override;
  QString TypeName() const override;
  int Count() const override;
  void SetAll(double x) override;
  void AddToAll(double d) override;
  void SetFreezePoint(int index) override;
  void CopyTo(TBaseClass *target) const override;
  void SetEnabled(bool enabled) override;
  void SetVisibleData(bool visible) override;
  double GetMax() const override;
  double GetMin() const override;
  double GetStep() const override;

  // x limited to [min, max] (NaN gives min) and rounded to the nearest multiple of the step,
  // halves upward.
  double Normalize(double x) const;
  // Stores Normalize(x) at point i and applies the freeze-point rule; returns the stored value,
  // or -1.0 when the flow is disabled or i is not a point of the flow (nothing changes then).
  double SetPoint(int i, double x);
  // SetPoint(first + k, values[k]) for k = 0 .. n-1, the run shortened at the end of the flow;
  // with axisValues, axis value first + k is then set to axisValues[k] as given.
  void SetPoints(const double *values, const double *axisValues, int n, int first);
  // Copies values (and axis values when asked) from point first on; the run is shortened the same
  // way. Returns the number of points copied.
  int GetPoints(double *values, double *axisValues, int n, int first) const;
  double Value(int i) const;       // 0.0 outside the flow
  int AxisValue(int i) const;      // truncated toward zero; 0 outside the flow
  int FreezePoint() const;
  bool IsLogarithmic() const;
  void SetLogarithmic(bool logarithmic);
  void SetMax(double x);           // only while enabled; stored values are not re-limited
  void SetMin(double x);

  // Piecewise-linear value at x of the curve (xs[i], ys[i]), i < n, xs ascending. At or below the
  // first node it is the first value, beyond the last node the last value; n < 1 gives 0.0.
  static double Interpolate(const double *xs, const double *ys, int n, double x);
  // SetPoint(i, Interpolate(xs, ys, n, AxisValue(i))) for every point in ascending order.
  void Resample(const double *xs, const double *ys, int n);

private:
  void ApplyFreezeRule(int k, double x);

  std::int32_t FPointCount = 0;
  double FValues[MaxPoints] = {};
  double FAxis[MaxPoints] = {};
  double FMax = 60.0;
  double FMin = 0.0;
  double FStep = 1.0;
  double FSnapshot[MaxPoints] = {};
  std::uint32_t FColor = 0;
  bool FEnabled = true;
  bool FVisibleData = false;
  std::int32_t FFreezePoint = -1;
  bool FLogarithmic = false;
};

// One calibration: a named table of flows that share axis, limits and step.
class TCalibration final : public TBaseClass {
public:
  static constexpr int MaxFlows = 16;
  enum EKind : std::uint8_t { SingleCurve = 1, IgnitionMap = 2, InjectionMap = 3 };

  // flowCount is capped at MaxFlows. Every flow starts at Normalize(0.0), disabled and hidden.
  TCalibration(int flowCount, const QString &name, bool logarithmic, std::uint32_t color,
               std::uint8_t kind, double lowerLimit, double upperLimit, double step,
               int pointCount, const double *axisValues);
  ~TCalibration() override;

  std::uint32_t GetColor() const override;
  void SetColor(std::uint32_t color) override;
  bool IsEnabled() const override;                     // always true
  bool IsVisibleData() const override;
  QString TypeName() const override;
  int Count() const override;
  void SetAll(double x) override;
  void AddToAll(double d) override;
  void SetFreezePoint(int index) override;
  void CopyTo(TBaseClass *target) const override;
  void SetEnabled(bool enabled) override;
  void SetVisibleData(bool visible) override;
  double GetMax() const override;                      // of the last flow
  double GetMin() const override;
  double GetStep() const override;

  TFlow *Flow(int k);                                  // nullptr outside 0 .. Count-1
  const TFlow *Flow(int k) const;
  QString Name() const;
  std::uint8_t Kind() const;
  QString XTitle() const;
  QString YTitle() const;
  void SetXTitle(const QString &title);
  void SetYTitle(const QString &title);

  // Regenerates the inner flows between fixed flows (the first, the last and every disabled flow)
  // by linear interpolation over the flow positions, point by point. Fewer than three flows:
  // nothing happens.
  void CreateFlows();

private:
  TFlow *FFlows[MaxFlows] = {};
  std::int32_t FFlowCount = 0;
  QString FName;
  std::uint8_t FKind = SingleCurve;
  std::uint32_t FColor = 0;
  QString FYTitle;
  QString FXTitle;
  bool FVisibleData = false;
};

// The set of all calibrations: group 0 the six work calibrations (maps), group 1 the eight other
// calibrations (single curves). None is ever replaced, so pointers stay valid for the set's life.
class TAllCalibration {
public:
  static constexpr int WorkCalibrations = 6;
  static constexpr int OtherCalibrations = 8;

  TAllCalibration();
  ~TAllCalibration();
  TAllCalibration(const TAllCalibration &) = delete;
  TAllCalibration &operator=(const TAllCalibration &) = delete;

  TCalibration *GetCalibration(int group, int index);  // nullptr outside the groups
  const TCalibration *GetCalibration(int group, int index) const;
  int WorkCount() const;
  int OtherCount() const;

private:
  TCalibration *FWork[WorkCalibrations] = {};
  TCalibration *FOther[OtherCalibrations] = {};
};
