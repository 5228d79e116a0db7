#pragma once
// The parameter blocks as a text document a technician can keep beside a car's calibration:
// every field by name in the unit the editor shows, and the raw bytes, which keep the reserved
// bytes and unlisted bits.

#include "params.h"

#include <QJsonObject>
#include <QString>

QJsonObject ParamsToJson(const SParams &params, const SParamsExt &paramsExt);
// Fills the blocks from a document: the raw bytes first when present (else the blocks as given
// stay the base), then every named field whose value differs from what the base shows. False
// with a reason for a document that is not one; the blocks are then unchanged.
bool ParamsFromJson(const QJsonObject &document, SParams &params, SParamsExt &paramsExt, QString &error);
