#include "paramsjson.h"

#include <QJsonArray>
#include <cmath>
#include <cstring>

namespace {

enum class EUnit { Raw, Rpm, HalfDegrees, Tenths, Volts };
enum class EType { U8, I8, U16, I16 };

struct SField {
  const char *Name;
  int Offset;
  EType Type;
  EUnit Unit;
};

// One table for both directions, in block order.
constexpr SField MainFields[] = {
    {"CylCount", 0, EType::U8, EUnit::Raw},          {"ExtSwitch", 1, EType::U8, EUnit::Raw},
    {"Oktan", 2, EType::I8, EUnit::HalfDegrees},     {"MaxUOZHH", 3, EType::U8, EUnit::HalfDegrees},
    {"RpmHH", 4, EType::U16, EUnit::Rpm},            {"MaxRpm", 6, EType::U16, EUnit::Rpm},
    {"EPHHDelay", 8, EType::U8, EUnit::Tenths},      {"IgnOptions", 9, EType::U8, EUnit::Raw},
    {"DpkvTotal", 11, EType::U8, EUnit::Raw},        {"DpkvNo", 12, EType::U8, EUnit::Raw},
    {"StartAngle", 13, EType::I8, EUnit::Raw},       {"DHCorrection", 14, EType::I8, EUnit::HalfDegrees},
    {"TempCorrHH", 15, EType::I8, EUnit::Raw},       {"DTCold", 16, EType::U16, EUnit::Volts},
    {"DTHot", 18, EType::U16, EUnit::Volts},         {"DadAtmo", 20, EType::I16, EUnit::Volts},
    {"DadFlow16", 22, EType::I16, EUnit::Volts},     {"DadFlow1", 24, EType::I16, EUnit::Volts},
    {"CalibrVolt", 29, EType::I8, EUnit::Tenths},    {"SensorOptions", 30, EType::U8, EUnit::Raw},
    {"TempSensorOptions", 31, EType::U8, EUnit::Raw}, {"BuzzTemp", 44, EType::I8, EUnit::Raw},
    {"BuzzRpm", 45, EType::U16, EUnit::Rpm},         {"BuzzVolt", 47, EType::U8, EUnit::Tenths},
    {"LaunchRpm", 48, EType::U16, EUnit::Rpm},
};
constexpr SField ExtFields[] = {
    {"KnockFreq", 0, EType::U8, EUnit::Raw},         {"KnockGain", 1, EType::U8, EUnit::Raw},
    {"KnockFilter", 2, EType::U8, EUnit::Raw},       {"KnockMaxRetard", 3, EType::U8, EUnit::HalfDegrees},
    {"KnockRetardStep", 4, EType::U8, EUnit::HalfDegrees}, {"KnockRecovery", 5, EType::U8, EUnit::Raw},
    {"AELevel", 6, EType::U8, EUnit::Raw},           {"AEMax", 7, EType::U8, EUnit::Raw},
    {"AETime", 8, EType::U8, EUnit::Raw},            {"InjVoltageCorr", 9, EType::I8, EUnit::Tenths},
};

int Get(const std::uint8_t *block, const SField &f)
{
  switch (f.Type) {
  case EType::U8:
    return block[f.Offset];
  case EType::I8:
    return std::int8_t(block[f.Offset]);
  case EType::U16:
    return block[f.Offset] | (block[f.Offset + 1] << 8);
  case EType::I16:
    return std::int16_t(block[f.Offset] | (block[f.Offset + 1] << 8));
  }
  return 0;
}

void Set(std::uint8_t *block, const SField &f, int value)
{
  switch (f.Type) {
  case EType::U8:
    block[f.Offset] = SaturateTo<std::uint8_t>(value);
    break;
  case EType::I8:
    block[f.Offset] = std::uint8_t(SaturateTo<std::int8_t>(value));
    break;
  case EType::U16:
  case EType::I16: {
    const int v = f.Type == EType::U16 ? SaturateTo<std::uint16_t>(value) : SaturateTo<std::int16_t>(value);
    block[f.Offset] = std::uint8_t(v & 0xFF);
    block[f.Offset + 1] = std::uint8_t((v >> 8) & 0xFF);
    break;
  }
  }
}

double Shown(int stored, EUnit unit)
{
  switch (unit) {
  case EUnit::Raw:
    return stored;
  case EUnit::Rpm:
    // A period of 0 means "off" (buzzer, launch control) or "never set".
    return stored == 0 ? 0 : RpmPeriod(stored);
  case EUnit::HalfDegrees:
    return HalfDegreesShown(stored);
  case EUnit::Tenths:
    return TenthsShown(stored);
  case EUnit::Volts:
    return VoltageCountsShown(stored);
  }
  return stored;
}

int Stored(double shown, EUnit unit)
{
  switch (unit) {
  case EUnit::Raw:
    return TruncateScaled(shown, 1.0);
  case EUnit::Rpm:
    return shown == 0 ? 0 : PeriodField(TruncateScaled(shown, 1.0));
  case EUnit::HalfDegrees:
    return HalfDegreesStored(shown);
  case EUnit::Tenths:
    return TenthsStored(shown);
  case EUnit::Volts:
    return VoltageCountsStored(shown);
  }
  return 0;
}

template <std::size_t N> QJsonObject Fields(const std::uint8_t *block, const SField (&fields)[N])
{
  QJsonObject object;
  for (const SField &f : fields)
    object.insert(QLatin1String(f.Name), Shown(Get(block, f), f.Unit));
  return object;
}

QJsonArray Raw(const std::uint8_t *block, int size)
{
  QJsonArray array;
  for (int k = 0; k < size; ++k)
    array.append(int(block[k]));
  return array;
}

bool ReadRaw(const QJsonValue &value, std::uint8_t *block, int size, const char *name, QString &error)
{
  const QJsonArray array = value.toArray();
  if (array.size() != size) {
    error = QStringLiteral("raw.%1 must hold %2 bytes").arg(QLatin1String(name)).arg(size);
    return false;
  }
  for (int k = 0; k < size; ++k) {
    const int b = array[k].toInt(-1);
    if (b < 0 || b > 255) {
      error = QStringLiteral("raw.%1[%2] is not a byte").arg(QLatin1String(name)).arg(k);
      return false;
    }
    block[k] = std::uint8_t(b);
  }
  return true;
}

template <std::size_t N>
bool ReadFields(const QJsonObject &object, std::uint8_t *block, const SField (&fields)[N], QString &error)
{
  for (auto it = object.begin(); it != object.end(); ++it) {
    const SField *field = nullptr;
    for (const SField &f : fields)
      if (it.key() == QLatin1String(f.Name))
        field = &f;
    if (!field) {
      error = QStringLiteral("unknown field \"%1\"").arg(it.key());
      return false;
    }
    if (!it.value().isDouble()) {
      error = QStringLiteral("\"%1\" must be a number").arg(it.key());
      return false;
    }
    // A value as the block already shows it is left alone: rounded for display (850 rpm for the
    // period 11765), it would otherwise come back as another byte.
    const double value = it.value().toDouble();
    if (std::abs(value - Shown(Get(block, *field), field->Unit)) > 1e-9)
      Set(block, *field, Stored(value, field->Unit));
  }
  return true;
}

}   // namespace

QJsonObject ParamsToJson(const SParams &params, const SParamsExt &paramsExt)
{
  const auto *main = reinterpret_cast<const std::uint8_t *>(&params);
  const auto *ext = reinterpret_cast<const std::uint8_t *>(&paramsExt);
  return QJsonObject{{QStringLiteral("params"), Fields(main, MainFields)},
                     {QStringLiteral("paramsExt"), Fields(ext, ExtFields)},
                     {QStringLiteral("raw"), QJsonObject{{QStringLiteral("params"), Raw(main, sizeof params)},
                                                        {QStringLiteral("paramsExt"), Raw(ext, sizeof paramsExt)}}}};
}

bool ParamsFromJson(const QJsonObject &document, SParams &params, SParamsExt &paramsExt, QString &error)
{
  SParams main = params;
  SParamsExt ext = paramsExt;
  auto *mainBytes = reinterpret_cast<std::uint8_t *>(&main);
  auto *extBytes = reinterpret_cast<std::uint8_t *>(&ext);
  if (!document.contains(QStringLiteral("params")) && !document.contains(QStringLiteral("raw"))) {
    error = QStringLiteral("not a parameter document: no \"params\" and no \"raw\"");
    return false;
  }
  if (document.contains(QStringLiteral("raw"))) {
    const QJsonObject raw = document.value(QStringLiteral("raw")).toObject();
    if (!ReadRaw(raw.value(QStringLiteral("params")), mainBytes, sizeof main, "params", error) ||
        !ReadRaw(raw.value(QStringLiteral("paramsExt")), extBytes, sizeof ext, "paramsExt", error))
      return false;
  }
  if (!ReadFields(document.value(QStringLiteral("params")).toObject(), mainBytes, MainFields, error) ||
      !ReadFields(document.value(QStringLiteral("paramsExt")).toObject(), extBytes, ExtFields, error))
    return false;
  params = main;
  paramsExt = ext;
  return true;
}
