#pragma once
// Readers of the two foreign map formats: the free-edition file *.z5u and the KVTD-RL file *.kvd.
// Both take the file's bytes and change only the flows the selection and the enabled flags allow.

#include "calibration.h"
#include "calibrationfiles.h"

#include <QByteArray>

// The fixed engine-speed axes (rpm) of the KVTD-RL format.
extern const double ForeignMapAxis[16];
extern const double ForeignStartAxis[16];

constexpr int KvdMapOffset = 0;
constexpr int KvdStartOffset = 256;
constexpr int KvdIdleOffset = 288;
constexpr int KvdMinSize = 304;

constexpr int Z5uSignature = 4;
constexpr int Z5uStartOffset = 8;
constexpr int Z5uIdleOffset = 92;
constexpr int Z5uMapsOffset = 176;
constexpr int Z5uFileSize = 6576;

// Without copy mode the four maps of the file go into work calibrations 0 .. 3 (enabled flows
// only); in copy mode map Source of the file goes into map Target for every flow enabled in
// Source. Start and Idle take the first 18 values of the file's curves. A file shorter than
// Z5uFileSize or whose first integer is not Z5uSignature: "Wrong file.", nothing loaded.
SLoadResult ReadZ5u(const QByteArray &fileBytes, TAllCalibration &calibrations,
                    const SLoadSelection &selection);

// Always a copy: the file's map goes into the ignition map Target, flow j when flow j of Source
// (work calibration 0 for this format) is enabled, resampled onto the model's axis. Start and
// Idle are resampled onto "UOZ Start" and "UOZ Iddle". Under KvdMinSize bytes: "Wrong file.",
// nothing loaded.
SLoadResult ReadKvd(const QByteArray &fileBytes, TAllCalibration &calibrations,
                    const SLoadSelection &selection);
