// zolt-cli commands over calibration files and the ECU's calibration memory: show, convert,
// read-calibration and write-calibration. They load files with the load dialog's first choices
// for the file's type, and transfer with the same code as the program.

#include "calibration.h"
#include "calibrationfiles.h"
#include "calibrationtransfer.h"
#include "cli.h"
#include "communication.h"
#include "loaddefaults.h"
#include "paramstransfer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <array>

namespace {

struct SLoaded {
  std::array<std::uint8_t, 50> Params{};
  std::array<std::uint8_t, 10> ParamsExt{};
  bool HasParams = false;
  bool HasParamsExt = false;
};

// Loads any of the four types into a fresh model as the load dialog would with its first
// choices, then enables every flow. Returns false after telling why.
bool LoadInto(const QString &path, TAllCalibration &model, SLoaded &loaded)
{
  const ECalibrationFileType type = CalibrationFileType(path);
  if (type == ECalibrationFileType::Unknown) {
    Fail(QStringLiteral("%1: %2 (the name must end in zf2, zfd, z5u or kvd)").arg(path, WrongFileText()));
    return false;
  }
  QByteArray bytes;
  QString error;
  if (!ReadFileBytes(path, bytes, error)) {
    Fail(QStringLiteral("%1: %2").arg(path, error));
    return false;
  }
  if (type == ECalibrationFileType::Zf2) {
    const SLoadResult check = CheckZf2(bytes);
    if (!check.IsOk()) {
      Fail(QStringLiteral("%1: %2").arg(path, check.Message));
      return false;
    }
  }
  const SLoadDefaults defaults = DefaultLoad(type);
  ApplyLoadFlags(model, defaults.OthersTaken);
  const SLoadResult result =
      ReadCalibrationData(type, bytes, model, loaded.Params.data(), loaded.ParamsExt.data(), defaults.Selection);
  EnableAllFlows(model);
  if (!result.IsOk()) {
    Fail(QStringLiteral("%1: %2").arg(path, result.Message));
    return false;
  }
  loaded.HasParams = CarriesParams(type);
  loaded.HasParamsExt = CarriesParamsExt(type);
  return true;
}

QString Number(double v) { return QLocale::c().toString(v, 'g', 10); }

template <std::size_t N> QJsonValue Bytes(const std::array<std::uint8_t, N> &bytes, bool present)
{
  if (!present)
    return QJsonValue::Null;
  QJsonArray array;
  for (std::uint8_t b : bytes)
    array.append(int(b));
  return array;
}

void PrintJson(const TAllCalibration &model, const SLoaded &loaded)
{
  QJsonArray calibrations;
  for (int g = 0; g < 2; ++g)
    for (int k = 0; const TCalibration *c = model.GetCalibration(g, k); ++k) {
      QJsonArray axis;
      for (int i = 0; i < c->Flow(0)->Count(); ++i)
        axis.append(c->Flow(0)->AxisValue(i));
      QJsonArray flows;
      for (int f = 0; f < c->Count(); ++f) {
        QJsonArray values;
        for (int i = 0; i < c->Flow(f)->Count(); ++i)
          values.append(c->Flow(f)->Value(i));
        flows.append(values);
      }
      calibrations.append(QJsonObject{{QStringLiteral("name"), c->Name()},
                                      {QStringLiteral("kind"), int(c->Kind())},
                                      {QStringLiteral("axis"), axis},
                                      {QStringLiteral("flows"), flows}});
    }
  const QJsonObject root{{QStringLiteral("calibrations"), calibrations},
                         {QStringLiteral("params"), Bytes(loaded.Params, loaded.HasParams)},
                         {QStringLiteral("paramsExt"), Bytes(loaded.ParamsExt, loaded.HasParamsExt)}};
  Out() << QJsonDocument(root).toJson(QJsonDocument::Indented);
}

void PrintCsv(const TAllCalibration &model)
{
  // One row for the axis of each calibration, then one row per flow.
  for (int g = 0; g < 2; ++g)
    for (int k = 0; const TCalibration *c = model.GetCalibration(g, k); ++k) {
      QStringList axis{c->Name(), QStringLiteral("axis")};
      for (int i = 0; i < c->Flow(0)->Count(); ++i)
        axis << QString::number(c->Flow(0)->AxisValue(i));
      Out() << axis.join(QLatin1Char(',')) << '\n';
      for (int f = 0; f < c->Count(); ++f) {
        QStringList row{c->Name(), QStringLiteral("flow %1").arg(f + 1)};
        for (int i = 0; i < c->Flow(f)->Count(); ++i)
          row << Number(c->Flow(f)->Value(i));
        Out() << row.join(QLatin1Char(',')) << '\n';
      }
    }
}

}   // namespace

int CmdShow(const SCliArgs &args)
{
  if (args.Operands.size() != 1)
    return Fail(QStringLiteral("show needs FILE"));
  if (!args.Format.isEmpty() && args.Format != QLatin1String("json") && args.Format != QLatin1String("csv"))
    return Fail(QStringLiteral("show prints json or csv, not \"%1\"").arg(args.Format));
  TAllCalibration model;
  SLoaded loaded;
  if (!LoadInto(args.Operands[0], model, loaded))
    return 1;
  if (args.Format == QLatin1String("csv"))
    PrintCsv(model);
  else
    PrintJson(model, loaded);
  return 0;
}

int CmdConvert(const SCliArgs &args)
{
  if (args.Operands.size() != 2)
    return Fail(QStringLiteral("convert needs FILE OUT.zf2"));
  TAllCalibration model;
  SLoaded loaded;
  if (!LoadInto(args.Operands[0], model, loaded))
    return 1;
  QString error;
  if (!SaveZf2File(args.Operands[1], model, loaded.Params.data(), loaded.ParamsExt.data(), error))
    return Fail(QStringLiteral("%1: %2").arg(args.Operands[1], error));
  return 0;
}

namespace {

bool TransferFailed(TCalibrationTransfer::EResult result, const TCalibrationTransfer &transfer, const QString &doing)
{
  if (result == TCalibrationTransfer::EResult::Done)
    return false;
  Fail(QStringLiteral("the ECU stopped answering while %1 (no answer for %2)").arg(doing, transfer.FailedAt()));
  return true;
}

void Progress(int step, int steps)
{
  Err() << "\r" << step << " of " << steps;
  Err().flush();
}

}   // namespace

int CmdReadCalibration(const SCliArgs &args)
{
  if (args.Operands.size() != 1)
    return Fail(QStringLiteral("read-calibration needs OUT.zf2"));
  TCommunication link;
  if (!ConnectLink(link, args.Port, 3000))
    return 1;
  TAllCalibration model;
  // A fresh model's flows are disabled and a read changes only enabled flows.
  EnableAllFlows(model);
  SCalibrationImage image;
  TCalibrationTransfer transfer(link, [](int step) { Progress(step, CalibrationTransfer::Steps); }, {});
  if (TransferFailed(transfer.Read(image), transfer, QStringLiteral("reading the calibrations")))
    return 1;
  Err() << '\n';
  CalibrationTransfer::Decode(image, model);
  SParams params{};
  SParamsExt paramsExt{};
  if (ReadParamBlocks(link, params, paramsExt) != EParamsTransfer::Done)
    return Fail(QStringLiteral("the ECU did not answer the parameter requests; nothing was saved"));
  QString error;
  if (!SaveZf2File(args.Operands[0], model, reinterpret_cast<const std::uint8_t *>(&params),
                   reinterpret_cast<const std::uint8_t *>(&paramsExt), error))
    return Fail(QStringLiteral("%1: %2").arg(args.Operands[0], error));
  return 0;
}

int CmdWriteCalibration(const SCliArgs &args)
{
  if (args.Operands.size() != 1)
    return Fail(QStringLiteral("write-calibration needs FILE.zf2"));
  if (CalibrationFileType(args.Operands[0]) != ECalibrationFileType::Zf2)
    return Fail(QStringLiteral("write-calibration takes a .zf2 file; convert other files first"));
  TAllCalibration model;
  SLoaded loaded;
  if (!LoadInto(args.Operands[0], model, loaded))
    return 1;
  TCommunication link;
  if (!ConnectLink(link, args.Port, 3000))
    return 1;
  const SCalibrationImage image = CalibrationTransfer::Encode(model);
  const int steps = 2 * CalibrationTransfer::Steps;
  TCalibrationTransfer transfer(link, [steps](int step) { Progress(step, steps); }, {});
  if (TransferFailed(transfer.Write(image), transfer, QStringLiteral("writing; the ECU may hold a partial write")))
    return 1;
  SCalibrationImage readBack;
  TCalibrationTransfer check(link, [steps](int step) { Progress(CalibrationTransfer::Steps + step, steps); }, {});
  if (TransferFailed(check.Read(readBack), check, QStringLiteral("checking what was written")))
    return 1;
  Err() << '\n';
  const QString difference = CalibrationTransfer::FirstDifference(image, readBack);
  if (!difference.isEmpty())
    return Fail(QStringLiteral("the ECU holds other values than were written (first difference: %1)").arg(difference));
  return 0;
}
