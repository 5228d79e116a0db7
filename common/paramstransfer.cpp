#include "paramstransfer.h"

#include "communication.h"

#include <cstring>

EParamsTransfer ReadParamBlocks(TCommunication &link, SParams &params, SParamsExt &paramsExt)
{
  // Read into buffers of their own: a failed read must never leave zeroed blocks behind that a
  // later write or save would push out as if they were the car's.
  SParams main{};
  SParamsExt extra{};
  if (link.ReadParameters(reinterpret_cast<std::uint8_t *>(&main)) <= 0)
    return EParamsTransfer::MainFailed;
  if (link.ReadExtraParameters(reinterpret_cast<std::uint8_t *>(&extra)) <= 0)
    return EParamsTransfer::ExtraFailed;
  params = main;
  paramsExt = extra;
  return EParamsTransfer::Done;
}

EParamsTransfer WriteParamBlocks(TCommunication &link, const SParams &params, const SParamsExt &paramsExt)
{
  if (!link.WriteParameters(reinterpret_cast<const std::uint8_t *>(&params)))
    return EParamsTransfer::MainFailed;
  if (!link.WriteExtraParameters(reinterpret_cast<const std::uint8_t *>(&paramsExt)))
    return EParamsTransfer::ExtraFailed;
  SParams main{};
  SParamsExt extra{};
  if (ReadParamBlocks(link, main, extra) != EParamsTransfer::Done)
    return EParamsTransfer::NotReadBack;
  if (std::memcmp(&main, &params, sizeof main) != 0 || std::memcmp(&extra, &paramsExt, sizeof extra) != 0)
    return EParamsTransfer::Differs;
  return EParamsTransfer::Done;
}
