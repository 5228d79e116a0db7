#include "foreignmaps.h"

#include <QtEndian>
#include <bit>

const double ForeignMapAxis[16] = {600,  720,  840,  990,  1170, 1380, 1650, 1950,
                                   2310, 2730, 3210, 3840, 4530, 5370, 6360, 7500};
const double ForeignStartAxis[16] = {200, 240, 280, 320, 360, 400, 440, 480,
                                     520, 560, 600, 640, 680, 720, 760, 800};

namespace {

constexpr int Z5uMaps = 4;
constexpr int Z5uFlowPoints = 25;
constexpr int Z5uCurvePoints = 21;
constexpr int KvdPoints = 16;

double ReadFloat(const QByteArray &data, qsizetype offset) {
  // Widened to double before it is stored.
  return std::bit_cast<float>(qFromLittleEndian<quint32>(data.constData() + offset));
}

void ReadFloats(const QByteArray &data, qsizetype offset, double *values, int n) {
  for (int k = 0; k < n; ++k)
    values[k] = ReadFloat(data, offset + 4 * qsizetype(k));
}

void ReadKvdBytes(const QByteArray &data, qsizetype offset, double (&values)[KvdPoints]) {
  for (int k = 0; k < KvdPoints; ++k)
    values[k] = static_cast<unsigned char>(data[offset + k]) * 0.5;
}

SLoadResult WrongFile() { return {ELoadStatus::WrongFile, WrongFileText()}; }

} // namespace

SLoadResult ReadZ5u(const QByteArray &fileBytes, TAllCalibration &calibrations,
                    const SLoadSelection &selection) {
  // A short file is refused whole rather than loaded with zeros for what is missing.
  if (fileBytes.size() < Z5uFileSize ||
      qFromLittleEndian<qint32>(fileBytes.constData()) != Z5uSignature)
    return WrongFile();

  auto takeFlow = [&](int fileMap, int fileFlow, TFlow *into) {
    if (!into)
      return;
    double values[Z5uFlowPoints];
    ReadFloats(fileBytes, Z5uMapsOffset + 4 * qsizetype((fileMap * 16 + fileFlow) * Z5uFlowPoints),
               values, Z5uFlowPoints);
    into->SetAll(0.0);   // points 25 and 26 are not in the file
    for (int p = 0; p < Z5uFlowPoints && p < into->Count(); ++p)
      into->SetPoint(p, values[p]);
  };

  if (!selection.CopyMode) {
    for (int i = 0; i < Z5uMaps; ++i) {
      TCalibration *calibration = calibrations.GetCalibration(0, i);
      for (int j = 0; j < calibration->Count(); ++j)
        if (calibration->Flow(j)->IsEnabled())
          takeFlow(i, j, calibration->Flow(j));
    }
  } else if (selection.Source >= 0 && selection.Source < Z5uMaps && selection.Target >= 0 &&
             selection.Target < Z5uMaps) {
    const TCalibration *source = calibrations.GetCalibration(0, selection.Source);
    TCalibration *target = calibrations.GetCalibration(0, selection.Target);
    for (int j = 0; j < source->Count(); ++j)
      if (source->Flow(j)->IsEnabled())
        takeFlow(selection.Source, j, target->Flow(j));
  }

  double curve[Z5uCurvePoints];
  if (selection.Start) {
    ReadFloats(fileBytes, Z5uStartOffset, curve, Z5uCurvePoints);
    calibrations.GetCalibration(1, 0)->Flow(0)->SetPoints(curve, nullptr, Z5uCurvePoints, 0);
  }
  if (selection.Idle) {
    ReadFloats(fileBytes, Z5uIdleOffset, curve, Z5uCurvePoints);
    calibrations.GetCalibration(1, 1)->Flow(0)->SetPoints(curve, nullptr, Z5uCurvePoints, 0);
  }
  return {};
}

SLoadResult ReadKvd(const QByteArray &fileBytes, TAllCalibration &calibrations,
                    const SLoadSelection &selection) {
  if (fileBytes.size() < KvdMinSize)
    return WrongFile();

  double values[KvdPoints];
  TCalibration *target = calibrations.GetCalibration(0, selection.Target);
  const TCalibration *source = calibrations.GetCalibration(0, selection.Source);
  // The file holds an ignition-advance map; an injection map is never a target for it.
  if (target && source && target->Kind() == TCalibration::IgnitionMap) {
    for (int j = 0; j < target->Count() && j < 16; ++j) {
      const TFlow *checked = source->Flow(j);
      if (!checked || !checked->IsEnabled())
        continue;
      ReadKvdBytes(fileBytes, KvdMapOffset + 16 * j, values);
      target->Flow(j)->Resample(ForeignMapAxis, values, KvdPoints);
    }
  }
  if (selection.Start) {
    ReadKvdBytes(fileBytes, KvdStartOffset, values);
    calibrations.GetCalibration(1, 0)->Flow(0)->Resample(ForeignStartAxis, values, KvdPoints);
  }
  if (selection.Idle) {
    ReadKvdBytes(fileBytes, KvdIdleOffset, values);
    calibrations.GetCalibration(1, 1)->Flow(0)->Resample(ForeignMapAxis, values, KvdPoints);
  }
  return {};
}
