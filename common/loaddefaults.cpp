#include "loaddefaults.h"

#include "calibration.h"

SLoadDefaults DefaultLoad(ECalibrationFileType type)
{
  SLoadDefaults d;
  // Start and idle curves are offered and taken for every type.
  d.OthersOffered[0] = d.OthersOffered[1] = true;
  d.OthersTaken[0] = d.OthersTaken[1] = true;
  d.Selection.Start = d.Selection.Idle = true;
  switch (type) {
  case ECalibrationFileType::Kvd:
    d.SourceChoice = false;
    d.Selection.CopyMode = true;
    break;
  case ECalibrationFileType::Zfd:
    for (int k : {2, 3})
      d.OthersOffered[std::size_t(k)] = d.OthersTaken[std::size_t(k)] = true;
    d.Selection.Temperature = d.Selection.CoilCharge = true;
    d.ParametersOffered = d.Selection.Parameters = true;
    break;
  case ECalibrationFileType::Zf2:
    d.OthersOffered.fill(true);
    d.OthersTaken.fill(true);
    d.Selection.Temperature = d.Selection.CoilCharge = true;
    d.ParametersOffered = d.Selection.Parameters = true;
    break;
  default:
    break;
  }
  return d;
}

void ApplyLoadFlags(TAllCalibration &calibrations, const std::array<bool, 8> &othersTaken)
{
  for (int i = 0; i < calibrations.WorkCount(); ++i)
    calibrations.GetCalibration(0, i)->SetEnabled(true);
  for (int i = 0; i < calibrations.OtherCount(); ++i)
    calibrations.GetCalibration(1, i)->SetEnabled(othersTaken[std::size_t(i)]);
}

void EnableAllFlows(TAllCalibration &calibrations)
{
  for (int g = 0; g < 2; ++g)
    for (int i = 0; TCalibration *c = calibrations.GetCalibration(g, i); ++i) {
      c->SetEnabled(true);
      c->SetVisibleData(true);
    }
}

bool CarriesParams(ECalibrationFileType type)
{
  return type == ECalibrationFileType::Zf2 || type == ECalibrationFileType::Zfd;
}

bool CarriesParamsExt(ECalibrationFileType type) { return type == ECalibrationFileType::Zf2; }
