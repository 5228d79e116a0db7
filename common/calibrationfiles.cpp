#include "calibrationfiles.h"

#include "cipher.h"
#include "foreignmaps.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <QtEndian>
#include <algorithm>
#include <bit>
#include <cstring>

namespace {

constexpr int FlowRecordValues = FlowRecordSize / 8;
static_assert(Zf2WorkOffset + 6 * 16 * FlowRecordSize == Zf2OtherOffset);
static_assert(Zf2OtherOffset + 8 * FlowRecordSize + 128 == Zf2ParamsOffset);
static_assert(Zf2ParamsOffset + ParamsSize == Zf2ParamsExtOffset);
static_assert(Zf2ParamsExtOffset + ParamsExtSize == Zf2FileSize);
static_assert(ZfdMapsOffset + 4 * 16 * FlowRecordSize == ZfdStartOffset);
static_assert(ZfdCoilChargeOffset + 2 * FlowRecordSize == ZfdParamsOffset);
static_assert(ZfdParamsOffset + ParamsSize + 6 == ZfdFileSize);

// Reads one flow record at offset; the caller has checked that it lies inside the data.
void ReadRecord(const QByteArray &data, qsizetype offset, double (&values)[FlowRecordValues]) {
  for (int k = 0; k < FlowRecordValues; ++k)
    values[k] = std::bit_cast<double>(qFromLittleEndian<quint64>(data.constData() + offset + 8 * k));
}

bool Holds(const QByteArray &data, qsizetype offset, qsizetype size) {
  return offset >= 0 && size >= 0 && data.size() >= offset + size;
}

bool SameKindMaps(const TAllCalibration &calibrations, int source, int target, int limit) {
  if (source < 0 || source >= limit || target < 0 || target >= limit)
    return false;
  return calibrations.GetCalibration(0, source)->Kind() ==
         calibrations.GetCalibration(0, target)->Kind();
}

void ReplaceFlow(TFlow *flow, const double *values, int n) {
  if (!flow)
    return;
  flow->SetAll(0.0);
  flow->SetPoints(values, nullptr, n, 0);
}

SLoadResult Result(ELoadStatus status) {
  switch (status) {
  case ELoadStatus::Ok:
    return {};
  case ELoadStatus::WrongVersion:
    return {status, WrongVersionFileText()};
  case ELoadStatus::WrongFile:
    return {status, WrongFileText()};
  case ELoadStatus::Damaged:
    return {status, DamagedFileText()};
  case ELoadStatus::FileError:
    break;
  }
  return {status, {}};
}

// Caps what is read from disk: every format is a few kilobytes, and a large file picked by
// mistake must not be pulled into memory whole. The readers only need the first bytes.
constexpr qint64 MaxFileBytes = 1 << 20;

} // namespace

bool SLoadResult::IsOk() const { return Status == ELoadStatus::Ok; }

QString WrongVersionFileText() {
  return QCoreApplication::translate("TCalibrationFiles", "Wrong version file.");
}

QString WrongFileText() { return QCoreApplication::translate("TCalibrationFiles", "Wrong file."); }

QString DamagedFileText() {
  return QCoreApplication::translate(
      "TCalibrationFiles",
      "The file is damaged: it ends before all of its data. Only its complete parts were loaded; "
      "everything else is unchanged.");
}

ECalibrationFileType CalibrationFileType(const QString &fileName) {
  const QString ending = fileName.right(3);
  if (fileName.size() < 3)
    return ECalibrationFileType::Unknown;
  if (ending == QLatin1String("zf2"))
    return ECalibrationFileType::Zf2;
  if (ending == QLatin1String("zfd"))
    return ECalibrationFileType::Zfd;
  if (ending == QLatin1String("z5u"))
    return ECalibrationFileType::Z5u;
  if (ending == QLatin1String("kvd"))
    return ECalibrationFileType::Kvd;
  return ECalibrationFileType::Unknown;
}

// ---------------------------------------------------------------------------------------------
// *.zf2

QByteArray WriteZf2(const TAllCalibration &calibrations, const std::uint8_t *params,
                    const std::uint8_t *paramsExt) {
  QByteArray plain(Zf2FileSize, '\0');
  char *out = plain.data();
  std::memcpy(out, Zf2Signature, Zf2SignatureSize);
  out[Zf2SignatureSize] = '\xFF';

  auto writeFlow = [out](qsizetype offset, const TFlow *flow) {
    double values[FlowRecordValues] = {};   // entries past the point count stay 0.0
    if (flow)
      flow->GetPoints(values, nullptr, FlowRecordValues, 0);
    for (int k = 0; k < FlowRecordValues; ++k)
      qToLittleEndian(std::bit_cast<quint64>(values[k]), out + offset + 8 * k);
  };

  qsizetype offset = Zf2WorkOffset;
  for (int i = 0; i < calibrations.WorkCount(); ++i) {
    const TCalibration *calibration = calibrations.GetCalibration(0, i);
    for (int j = 0; j < TCalibration::MaxFlows; ++j, offset += FlowRecordSize)
      writeFlow(offset, calibration->Flow(j));
  }
  for (int i = 0; i < calibrations.OtherCount(); ++i, offset += FlowRecordSize)
    writeFlow(offset, calibrations.GetCalibration(1, i)->Flow(0));

  out[offset] = '\xFF';   // second reserved area, 0xFF then zeros
  if (params)
    std::memcpy(out + Zf2ParamsOffset, params, ParamsSize);
  if (paramsExt)
    std::memcpy(out + Zf2ParamsExtOffset, paramsExt, ParamsExtSize);

  return TCipher(CalibrationCipherKey).Encipher(plain);
}

SLoadResult CheckZf2(const QByteArray &fileBytes) {
  // A file shorter than the layout is refused as a whole: a calibration half read from a
  // truncated file must not reach the ECU.
  if (fileBytes.size() < Zf2FileSize)
    return Result(ELoadStatus::WrongVersion);
  const QByteArray signature =
      TCipher(CalibrationCipherKey).Decipher(QByteArrayView(fileBytes).first(Zf2SignatureSize));
  if (signature != QByteArrayView(Zf2Signature, Zf2SignatureSize))
    return Result(ELoadStatus::WrongVersion);
  return {};
}

SLoadResult ReadZf2(const QByteArray &fileBytes, TAllCalibration &calibrations,
                    std::uint8_t *params, std::uint8_t *paramsExt,
                    const SLoadSelection &selection) {
  if (SLoadResult check = CheckZf2(fileBytes); !check.IsOk())
    return check;
  const QByteArray plain =
      TCipher(CalibrationCipherKey).Decipher(QByteArrayView(fileBytes).first(Zf2FileSize));
  double record[FlowRecordValues];
  auto workRecord = [](int map, int flow) {
    return Zf2WorkOffset + qsizetype(16 * map + flow) * FlowRecordSize;
  };

  if (!selection.CopyMode) {
    for (int i = 0; i < calibrations.WorkCount(); ++i) {
      TCalibration *calibration = calibrations.GetCalibration(0, i);
      for (int j = 0; j < calibration->Count(); ++j) {
        TFlow *flow = calibration->Flow(j);
        if (!flow->IsEnabled())
          continue;
        ReadRecord(plain, workRecord(i, j), record);
        ReplaceFlow(flow, record, flow->Count());
      }
    }
  } else if (SameKindMaps(calibrations, selection.Source, selection.Target,
                          calibrations.WorkCount())) {
    const TCalibration *source = calibrations.GetCalibration(0, selection.Source);
    TCalibration *target = calibrations.GetCalibration(0, selection.Target);
    for (int j = 0; j < source->Count(); ++j) {
      if (!source->Flow(j)->IsEnabled())
        continue;
      ReadRecord(plain, workRecord(selection.Source, j), record);
      ReplaceFlow(target->Flow(j), record, source->Flow(j)->Count());
    }
  }

  for (int i = 0; i < calibrations.OtherCount(); ++i) {
    TFlow *flow = calibrations.GetCalibration(1, i)->Flow(0);
    if (!flow->IsEnabled())
      continue;
    ReadRecord(plain, Zf2OtherOffset + qsizetype(i) * FlowRecordSize, record);
    ReplaceFlow(flow, record, flow->Count());
  }

  if (selection.Parameters) {
    if (params)
      std::memcpy(params, plain.constData() + Zf2ParamsOffset, ParamsSize);
    if (paramsExt)
      std::memcpy(paramsExt, plain.constData() + Zf2ParamsExtOffset, ParamsExtSize);
  }
  return {};
}

// ---------------------------------------------------------------------------------------------
// *.zfd

SLoadResult ReadZfd(const QByteArray &fileBytes, TAllCalibration &calibrations,
                    std::uint8_t *params, const SLoadSelection &selection) {
  constexpr int Maps = 4;
  // Only records that lie wholly inside the file are taken; whatever a short file cannot fill
  // stays as it was, and the caller tells the user the file is damaged.
  double record[FlowRecordValues];
  auto mapRecord = [](int map, int flow) {
    return ZfdMapsOffset + qsizetype(16 * map + flow) * FlowRecordSize;
  };
  auto takeMapFlow = [&](int fileMap, int flow, TFlow *into) {
    const qsizetype offset = mapRecord(fileMap, flow);
    if (!into || !Holds(fileBytes, offset, FlowRecordSize))
      return;
    ReadRecord(fileBytes, offset, record);
    into->SetAll(0.0);
    for (int k = 0; k < std::min(FlowRecordValues, into->Count()); ++k)
      into->SetPoint(k, record[k]);
  };

  if (!selection.CopyMode) {
    for (int i = 0; i < Maps; ++i) {
      TCalibration *calibration = calibrations.GetCalibration(0, i);
      for (int j = 0; j < calibration->Count(); ++j)
        if (calibration->Flow(j)->IsEnabled())
          takeMapFlow(i, j, calibration->Flow(j));
    }
  } else if (SameKindMaps(calibrations, selection.Source, selection.Target, Maps)) {
    const TCalibration *source = calibrations.GetCalibration(0, selection.Source);
    TCalibration *target = calibrations.GetCalibration(0, selection.Target);
    for (int j = 0; j < source->Count(); ++j)
      if (source->Flow(j)->IsEnabled())
        takeMapFlow(selection.Source, j, target->Flow(j));
  }

  // The single curves go through SetPoints alone, without clearing first.
  auto takeCurve = [&](bool chosen, int other, qsizetype offset) {
    if (!chosen || !Holds(fileBytes, offset, FlowRecordSize))
      return;
    ReadRecord(fileBytes, offset, record);
    calibrations.GetCalibration(1, other)->Flow(0)->SetPoints(record, nullptr, 24, 0);
  };
  takeCurve(selection.Start, 0, ZfdStartOffset);
  takeCurve(selection.Idle, 1, ZfdIdleOffset);
  takeCurve(selection.Temperature, 3, ZfdTemperatureOffset);
  takeCurve(selection.CoilCharge, 2, ZfdCoilChargeOffset);

  if (selection.Parameters && params && Holds(fileBytes, ZfdParamsOffset, ParamsSize))
    std::memcpy(params, fileBytes.constData() + ZfdParamsOffset, ParamsSize);

  return fileBytes.size() < ZfdFileSize ? Result(ELoadStatus::Damaged) : SLoadResult{};
}

// ---------------------------------------------------------------------------------------------

SLoadResult ReadCalibrationData(ECalibrationFileType type, const QByteArray &fileBytes,
                                TAllCalibration &calibrations, std::uint8_t *params,
                                std::uint8_t *paramsExt, const SLoadSelection &selection) {
  switch (type) {
  case ECalibrationFileType::Zf2:
    return ReadZf2(fileBytes, calibrations, params, paramsExt, selection);
  case ECalibrationFileType::Zfd:
    return ReadZfd(fileBytes, calibrations, params, selection);
  case ECalibrationFileType::Z5u:
    return ReadZ5u(fileBytes, calibrations, selection);
  case ECalibrationFileType::Kvd:
    return ReadKvd(fileBytes, calibrations, selection);
  case ECalibrationFileType::Unknown:
    break;
  }
  return {};
}

bool ReadFileBytes(const QString &path, QByteArray &data, QString &errorText) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    errorText = file.errorString();
    return false;
  }
  QByteArray bytes = file.read(MaxFileBytes);
  if (file.error() != QFileDevice::NoError) {
    errorText = file.errorString();
    return false;
  }
  data = std::move(bytes);
  errorText.clear();
  return true;
}

bool WriteFileBytes(const QString &path, const QByteArray &data, QString &errorText) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    errorText = file.errorString();
    return false;
  }
  if (file.write(data) != data.size()) {
    errorText = file.errorString();
    file.cancelWriting();
    return false;
  }
  if (!file.commit()) {
    errorText = file.errorString();
    return false;
  }
  errorText.clear();
  return true;
}

bool SaveZf2File(const QString &path, const TAllCalibration &calibrations,
                 const std::uint8_t *params, const std::uint8_t *paramsExt, QString &errorText) {
  return WriteFileBytes(path, WriteZf2(calibrations, params, paramsExt), errorText);
}

SLoadResult LoadCalibrationFile(const QString &path, TAllCalibration &calibrations,
                                std::uint8_t *params, std::uint8_t *paramsExt,
                                const SLoadSelection &selection) {
  QByteArray bytes;
  QString errorText;
  if (!ReadFileBytes(path, bytes, errorText))
    return {ELoadStatus::FileError, errorText};
  return ReadCalibrationData(CalibrationFileType(path), bytes, calibrations, params, paramsExt,
                             selection);
}
