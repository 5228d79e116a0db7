#pragma once
// What the load dialog offers and chooses at first for each file type, for the dialog itself and
// for the command line, which loads a file with exactly those choices.

#include "calibrationfiles.h"

#include <array>

class TAllCalibration;

struct SLoadDefaults {
  SLoadSelection Selection;
  std::array<bool, 8> OthersOffered{};   // the eight curve boxes, by other calibration index
  std::array<bool, 8> OthersTaken{};
  bool ParametersOffered = false;
  bool SourceChoice = true;              // the source map can be chosen (not for *.kvd)
};

SLoadDefaults DefaultLoad(ECalibrationFileType type);
// As the dialog opens: every work calibration enabled, the other calibrations exactly as taken.
void ApplyLoadFlags(TAllCalibration &calibrations, const std::array<bool, 8> &othersTaken);
// After any load every flow is enabled and its data visible.
void EnableAllFlows(TAllCalibration &calibrations);
// Whether the file type carries the two parameter blocks (zf2 both, zfd the main one only).
bool CarriesParams(ECalibrationFileType type);
bool CarriesParamsExt(ECalibrationFileType type);
