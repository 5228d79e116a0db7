// A small plug-in for the loader tests. Its behaviour is chosen at build time, one module per
// case: which exports it has, what they write and which actions it hands over.

#include <QAction>
#include <QCoreApplication>
#include <QPointer>
#include <QWidget>
#include <cstring>
#include <stdexcept>

#ifdef TP_STALE
// Built against another release of the shared library.
#undef ZOLT_VERSION
#define ZOLT_VERSION "0.0.0-stale"
#endif
#include "plugininterface.h"

#ifndef TP_ID
#define TP_ID "00000000-0000-0000-0000-000000000001"
#endif

#define TP_EXPORT extern "C" __attribute__((visibility("default")))

// A window of the plug-in's own class, to see that the host frees it before the code goes.
class TTestPlugInWindow : public QWidget {
  Q_OBJECT
public:
  TTestPlugInWindow() { setObjectName(QStringLiteral("TestPlugInWindow")); }
};

namespace {

struct SActionRow {
  const char *Name, *Category, *Caption;
  bool Visible;
};

const SActionRow Rows[] = {
#if defined(TP_ACTIONS_GOOD)
    {"A_ToolOne", " Tools ", "  Tool one ", true},
    {"A_ToolHidden", "Hidden stuff", "Hidden", false},
    {"A_Viewer", "3D view", "Viewer", true},
#elif defined(TP_ACTIONS_SECOND)
    {"A_Second", "tools", "Second", true},
#elif defined(TP_ACTIONS_CLASH)
    {"A_ToolOne", "Tools", "Clash", true},
    {"A_ClashOwn", "Clash", "Own", true},
#elif defined(TP_ACTIONS_INVISIBLE)
    {"A_Quiet", "Quiet", "Quiet one", false},
    {"A_Quieter", "Quiet", "Quiet two", false},
#else
    {"A_Plain", "Plain", "Plain", true},
#endif
};

QPointer<QObject> Module;
QList<QAction *> Actions;

[[maybe_unused]] const QList<QAction *> *MakeActions(QCoreApplication *application)
{
  Module = new QObject(application);
  Module->setObjectName(QStringLiteral("TestPlugInModule"));
  Actions.clear();
  for (const SActionRow &row : Rows) {
    auto *action = new QAction(QString::fromLatin1(row.Caption), Module);
    action->setObjectName(QLatin1String(row.Name));
    action->setProperty("category", QLatin1String(row.Category));
    action->setVisible(row.Visible);
    action->setShortcut(QKeySequence(QStringLiteral("Ctrl+Alt+F%1").arg(Actions.size() + 1)));
    const QString name = action->objectName();
    QObject::connect(action, &QAction::triggered, Module, [name] {
      qApp->setProperty("testPlugInTriggered", QStringLiteral(TP_ID) + QLatin1Char('/') + name);
      (new TTestPlugInWindow)->show();
    });
    Actions << action;
  }
  return &Actions;
}

}   // namespace

#ifndef TP_NO_VERSION
TP_EXPORT void Version(std::uint8_t *block)
{
  PlugIn::TVersionBlock ours = PlugIn::InterfaceBlock();
#ifdef TP_WRONG_HANDSHAKE
  ours[7] ^= 0x40;
#endif
  std::memcpy(block, ours.data(), ours.size());
}
#endif

#ifndef TP_NO_ID
TP_EXPORT void Id(char *id)
{
#if defined(TP_GARBAGE_ID)
  for (int i = 0; i < PlugIn::IdSize; ++i)
    id[i] = char(1 + 7 * i);
#elif defined(TP_ID_OVERRUN)
  std::memcpy(id, TP_ID "-and-more", sizeof(TP_ID "-and-more"));
#else
  std::memcpy(id, TP_ID, PlugIn::IdSize);
#endif
}
#endif

#ifndef TP_NO_INIT
TP_EXPORT const QList<QAction *> *Init(TAllCalibration *, TCommunication *, TMessages *, QCoreApplication *application)
{
  const QList<QAction *> *actions = MakeActions(application);
#ifdef TP_THROW_INIT
  (new TTestPlugInWindow)->show();
  throw std::runtime_error("the plug-in failed to start");
#endif
  return actions;
}
#endif

#include "testplugin.moc"
