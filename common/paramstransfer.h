#pragma once
// The parameter blocks between the program and the ECU, shared by the window's actions and
// zolt-cli: both blocks or neither are taken on a read, and a write is read back and compared
// (the ECU's acknowledgement says nothing about what it stored).

#include "params.h"

class TCommunication;

enum class EParamsTransfer { Done, MainFailed, ExtraFailed, NotReadBack, Differs };

// Reads both blocks into params and paramsExt only when both came; otherwise they are unchanged.
EParamsTransfer ReadParamBlocks(TCommunication &link, SParams &params, SParamsExt &paramsExt);
EParamsTransfer WriteParamBlocks(TCommunication &link, const SParams &params, const SParamsExt &paramsExt);
