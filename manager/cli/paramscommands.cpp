// zolt-cli read-params and write-params: the two parameter blocks as a JSON document of named
// fields in the editor's units, with the raw bytes, so a car's configuration can be kept in a text
// file under version control.

#include "cli.h"
#include "communication.h"
#include "paramsjson.h"

#include <QFile>
#include <QJsonDocument>
#include <cstring>

namespace {

bool ReadBlocks(TCommunication &link, SParams &params, SParamsExt &paramsExt)
{
  return link.ReadParameters(reinterpret_cast<std::uint8_t *>(&params)) > 0 &&
         link.ReadExtraParameters(reinterpret_cast<std::uint8_t *>(&paramsExt)) > 0;
}

}   // namespace

int CmdReadParams(const SCliArgs &args)
{
  if (!args.Format.isEmpty() && args.Format != QLatin1String("json"))
    return Fail(QStringLiteral("read-params prints json"));
  TCommunication link;
  if (!ConnectLink(link, args.Port, 3000))
    return 1;
  SParams params{};
  SParamsExt paramsExt{};
  if (!ReadBlocks(link, params, paramsExt))
    return Fail(QStringLiteral("the ECU did not answer the parameter requests"));
  Out() << QJsonDocument(ParamsToJson(params, paramsExt)).toJson(QJsonDocument::Indented);
  return 0;
}

int CmdWriteParams(const SCliArgs &args)
{
  if (args.Operands.size() != 1)
    return Fail(QStringLiteral("write-params needs FILE.json"));
  QFile file(args.Operands[0]);
  if (!file.open(QIODevice::ReadOnly))
    return Fail(QStringLiteral("%1: %2").arg(args.Operands[0], file.errorString()));
  QJsonParseError parseError{};
  const QJsonDocument document = QJsonDocument::fromJson(file.read(1 << 20), &parseError);
  if (!document.isObject())
    return Fail(QStringLiteral("%1: not a JSON object (%2)").arg(args.Operands[0], parseError.errorString()));
  TCommunication link;
  if (!ConnectLink(link, args.Port, 3000))
    return 1;
  // Fields the document leaves out keep what the ECU holds.
  SParams params{};
  SParamsExt paramsExt{};
  if (!ReadBlocks(link, params, paramsExt))
    return Fail(QStringLiteral("the ECU did not answer the parameter requests; nothing was written"));
  QString error;
  if (!ParamsFromJson(document.object(), params, paramsExt, error))
    return Fail(QStringLiteral("%1: %2; nothing was written").arg(args.Operands[0], error));
  if (!link.WriteParameters(reinterpret_cast<const std::uint8_t *>(&params)) ||
      !link.WriteExtraParameters(reinterpret_cast<const std::uint8_t *>(&paramsExt)))
    return Fail(QStringLiteral("the ECU stopped answering; it may hold a partial write: write the parameters again"));
  SParams readParams{};
  SParamsExt readExt{};
  if (!ReadBlocks(link, readParams, readExt))
    return Fail(QStringLiteral("the parameters were written but could not be read back to check them"));
  if (std::memcmp(&readParams, &params, sizeof params) != 0 || std::memcmp(&readExt, &paramsExt, sizeof paramsExt) != 0)
    return Fail(QStringLiteral("the ECU holds other parameters than were written"));
  return 0;
}
