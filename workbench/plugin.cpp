// The library entry and the exports of workbench.zex.

#include "datam.h"
#include "plugininterface.h"

#include <QCoreApplication>
#include <QPointer>
#include <cstring>

#define ZOLT_PLUGIN_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

constexpr char Identifier[] = "15A5A8DE-D8C5-44F4-A87F-4BF2669A923D";
static_assert(sizeof(Identifier) - 1 == PlugIn::IdSize);

// The library entry. At detach the application object has normally freed the data module (and
// it its windows) already; whatever is left goes now, while this library's code is still here.
struct SEntry {
  ~SEntry()
  {
    if (QCoreApplication::instance() && DataModule)
      delete DataModule.data();
  }
  QPointer<TDataM> DataModule;
} Entry;

}   // namespace

ZOLT_PLUGIN_EXPORT void Version(std::uint8_t *block)
{
  const PlugIn::TVersionBlock ours = PlugIn::InterfaceBlock();
  std::memcpy(block, ours.data(), ours.size());
}

ZOLT_PLUGIN_EXPORT void Id(char *id) { std::memcpy(id, Identifier, PlugIn::IdSize); }

ZOLT_PLUGIN_EXPORT const QList<QAction *> *Init(TAllCalibration *calibrations, TCommunication *communication,
                                                TMessages *messages, QCoreApplication *application)
{
  // One data module, owned by the host's application object.
  if (!Entry.DataModule)
    Entry.DataModule = new TDataM(application, calibrations, communication, messages);
  return &Entry.DataModule->ActionList();
}

static_assert(std::is_same_v<decltype(&Version), PlugIn::TVersionFunction>);
static_assert(std::is_same_v<decltype(&Id), PlugIn::TIdFunction>);
static_assert(std::is_same_v<decltype(&Init), PlugIn::TInitFunction>);
