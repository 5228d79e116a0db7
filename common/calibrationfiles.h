#pragma once
// Calibration files as data in, data out: the readers take the file's bytes and change only the
// model and the parameter blocks they are given; the writer returns the bytes of a finished file.
// Nothing here ever writes a file that is being loaded; saving goes through a temporary file that
// is renamed into place (WriteFileBytes).
//
// Files:  *.zf2  current format, written and read, enciphered (shift 13) as a whole
//         *.zfd  previous format, read only
//         *.z5u  free-edition map file, read only (foreignmaps.h)
//         *.kvd  KVTD-RL map file, read only (foreignmaps.h)

#include "calibration.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

constexpr int ParamsSize = 50;      // SParams, stored byte for byte
constexpr int ParamsExtSize = 10;   // SParamsExt, stored byte for byte
constexpr int FlowRecordSize = 216; // 27 little-endian doubles

constexpr char Zf2Signature[] = "ZFD201";
constexpr int Zf2SignatureSize = 6;
constexpr int Zf2WorkOffset = 518;
constexpr int Zf2OtherOffset = 21254;
constexpr int Zf2ParamsOffset = 23110;
constexpr int Zf2ParamsExtOffset = 23160;
constexpr int Zf2FileSize = 23170;

constexpr int ZfdMapsOffset = 720;
constexpr int ZfdStartOffset = 14544;
constexpr int ZfdIdleOffset = 14760;
constexpr int ZfdTemperatureOffset = 14976;
constexpr int ZfdCoilChargeOffset = 15192;
constexpr int ZfdParamsOffset = 15624;
constexpr int ZfdFileSize = 15680;

enum class ECalibrationFileType { Unknown, Zf2, Zfd, Z5u, Kvd };

// The type comes from the last three characters of the name, compared case-sensitively.
ECalibrationFileType CalibrationFileType(const QString &fileName);

// What the load dialog chose. Which flows are taken is not in here: it is the enabled flag of
// each flow of the model (a map flow is taken when it is enabled, in copy mode when its flow in
// the source is enabled; an other calibration when its flow is enabled).
struct SLoadSelection {
  bool CopyMode = false;
  int Source = 0;            // work calibration index of the map taken from the file
  int Target = 0;            // copy mode: work calibration of the same kind that receives it
  bool Start = false;        // "UOZ Start"  (zfd, z5u, kvd)
  bool Idle = false;         // "UOZ Iddle"  (zfd, z5u, kvd)
  bool Temperature = false;  // "UOZ Temperature" (zfd)
  bool CoilCharge = false;   // "UOZ Accumulation" (zfd)
  bool Parameters = false;   // the parameter blocks (zf2: both, zfd: SParams only)
};

enum class ELoadStatus {
  Ok,
  WrongVersion,   // "Wrong version file." — nothing loaded
  WrongFile,      // "Wrong file." — nothing loaded
  Damaged,        // the file ends early: its complete parts were loaded, the rest is unchanged
  FileError,      // the file could not be read; Message holds the system's text
};

struct SLoadResult {
  ELoadStatus Status = ELoadStatus::Ok;
  QString Message;   // translated text for the user; empty when Ok
  bool IsOk() const;
};

// The enciphered bytes of a *.zf2 file: every flow of all 14 calibrations whatever its enabled
// flag, then the two parameter blocks (null pointers are written as zero bytes).
QByteArray WriteZf2(const TAllCalibration &calibrations, const std::uint8_t *params,
                    const std::uint8_t *paramsExt);

// The check made before the load dialog opens: signature and length. WrongVersion or Ok.
SLoadResult CheckZf2(const QByteArray &fileBytes);

// Readers. fileBytes are the bytes as on disk (a *.zf2 is deciphered in memory). params points to
// ParamsSize bytes and paramsExt to ParamsExtSize bytes; either may be null when not wanted.
SLoadResult ReadZf2(const QByteArray &fileBytes, TAllCalibration &calibrations,
                    std::uint8_t *params, std::uint8_t *paramsExt,
                    const SLoadSelection &selection);
SLoadResult ReadZfd(const QByteArray &fileBytes, TAllCalibration &calibrations,
                    std::uint8_t *params, const SLoadSelection &selection);

// The reader of the given type; Unknown reads nothing and answers Ok.
SLoadResult ReadCalibrationData(ECalibrationFileType type, const QByteArray &fileBytes,
                                TAllCalibration &calibrations, std::uint8_t *params,
                                std::uint8_t *paramsExt, const SLoadSelection &selection);

// File-level helpers. Reading never writes; writing goes to a temporary file in the same folder
// that replaces the old file only when it is complete, so a failed save leaves the old file.
bool ReadFileBytes(const QString &path, QByteArray &data, QString &errorText);
bool WriteFileBytes(const QString &path, const QByteArray &data, QString &errorText);

bool SaveZf2File(const QString &path, const TAllCalibration &calibrations,
                 const std::uint8_t *params, const std::uint8_t *paramsExt, QString &errorText);
// Reads the file and runs the reader of the type its name gives.
SLoadResult LoadCalibrationFile(const QString &path, TAllCalibration &calibrations,
                                std::uint8_t *params, std::uint8_t *paramsExt,
                                const SLoadSelection &selection);

// The messages, translated.
QString WrongVersionFileText();
QString WrongFileText();
QString DamagedFileText();
