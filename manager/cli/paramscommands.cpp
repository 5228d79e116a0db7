// zolt-cli read-params and write-params: the two parameter blocks as a JSON document of named
// fields in the editor's units, with the raw bytes, so a car's configuration can be kept in a text
// file under version control.

#include "cli.h"
#include "communication.h"
#include "paramsjson.h"
#include "paramstransfer.h"

#include <QFile>
#include <QJsonDocument>
#include <cstring>


int CmdReadParams(const SCliArgs &args)
{
  if (!args.Format.isEmpty() && args.Format != QLatin1String("json"))
    return Fail(QStringLiteral("read-params prints json"));
  TCommunication link;
  if (!ConnectLink(link, args.Port, 3000))
    return 1;
  SParams params{};
  SParamsExt paramsExt{};
  if (ReadParamBlocks(link, params, paramsExt) != EParamsTransfer::Done)
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
  if (ReadParamBlocks(link, params, paramsExt) != EParamsTransfer::Done)
    return Fail(QStringLiteral("the ECU did not answer the parameter requests; nothing was written"));
  QString error;
  if (!ParamsFromJson(document.object(), params, paramsExt, error))
    return Fail(QStringLiteral("%1: %2; nothing was written").arg(args.Operands[0], error));
  switch (WriteParamBlocks(link, params, paramsExt)) {
  case EParamsTransfer::Done:
    return 0;
  case EParamsTransfer::NotReadBack:
    return Fail(QStringLiteral("the parameters were written but could not be read back to check them"));
  case EParamsTransfer::Differs:
    return Fail(QStringLiteral("the ECU holds other parameters than were written"));
  default:
    return Fail(QStringLiteral("the ECU stopped answering; it may hold a partial write: write the parameters again"));
  }
}
