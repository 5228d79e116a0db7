// zolt-cli set-port: selects the port (and the plug-in folder) in a Setting.ini, keeping the
// rest of the file, so that scripts can prepare the program for a given ECU.

#include "appsettings.h"
#include "cli.h"

int CmdSetPort(const SCliArgs &args)
{
  if (args.Operands.size() < 2)
    return Fail(QStringLiteral("set-port needs SETTING_INI PORT [PLUGIN_DIR]"));
  const TSettingsFile file(args.Operands[0]);
  TSettingsFile::SLoaded loaded = file.Load();
  if (args.Operands.size() > 2)
    loaded.Settings.PlugIns = args.Operands[2];
  if (!file.SaveKeys(args.Operands[1], loaded.Settings))
    return Fail(QStringLiteral("cannot write %1").arg(args.Operands[0]));
  return 0;
}
