#pragma once
// The boundary between Zolt and its plug-ins (*.zex). A plug-in exports, with C linkage:
//
//   void Version(std::uint8_t *block);   writes PlugIn::VersionSize bytes: the interface block
//   void Id(char *id);                   writes PlugIn::IdSize characters, a GUID without braces
//                                        and without a terminating zero
//   const QList<QAction *> *Init(TAllCalibration *, TCommunication *, TMessages *,
//                                QCoreApplication *);
//                                        creates the plug-in's data module (owned by the
//                                        application object) and returns its actions
//
// The plug-in works directly on the host's objects, so it may only run on objects whose layout
// it was compiled for. The interface block is a digest over the interface revision, the program
// version, the Qt version and the sizes of every class that crosses the boundary. It is computed
// by a function with internal linkage: the plug-in's copy reports what the plug-in was built
// against, the host's copy what the host was built against, and a stale plug-in never matches.

#include "calibration.h"
#include "communication.h"
#include "liverecord.h"
#include "messages.h"
#include "records.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QList>
#include <array>
#include <cstdint>
#include <cstring>

class QAction;
class QCoreApplication;

namespace PlugIn {

inline constexpr int VersionSize = 16;
inline constexpr int IdSize = 36;

// Raise whenever a class handed to plug-ins changes meaning without changing size.
inline constexpr int InterfaceRevision = 1;

using TVersionFunction = void (*)(std::uint8_t *block);
using TIdFunction = void (*)(char *id);
using TInitFunction = const QList<QAction *> *(*)(TAllCalibration *calibrations, TCommunication *communication,
                                                   TMessages *messages, QCoreApplication *application);

inline constexpr const char *VersionExport = "Version";
inline constexpr const char *IdExport = "Id";
inline constexpr const char *InitExport = "Init";

using TVersionBlock = std::array<std::uint8_t, VersionSize>;

static inline TVersionBlock InterfaceBlock()
{
  QByteArray text = QByteArrayLiteral("zolt-plugin-interface/") + QByteArray::number(InterfaceRevision);
#ifdef ZOLT_VERSION
  text += QByteArrayLiteral("/zolt ") + ZOLT_VERSION;
#endif
  text += QByteArrayLiteral("/qt ") + QT_VERSION_STR;
  auto size = [&text](const char *name, std::size_t bytes, std::size_t align) {
    text += '/';
    text += name;
    text += ' ';
    text += QByteArray::number(qulonglong(bytes));
    text += ':';
    text += QByteArray::number(qulonglong(align));
  };
  size("TAllCalibration", sizeof(TAllCalibration), alignof(TAllCalibration));
  size("TCalibration", sizeof(TCalibration), alignof(TCalibration));
  size("TFlow", sizeof(TFlow), alignof(TFlow));
  size("TBaseClass", sizeof(TBaseClass), alignof(TBaseClass));
  size("TCommunication", sizeof(TCommunication), alignof(TCommunication));
  size("TMessages", sizeof(TMessages), alignof(TMessages));
  size("TReadInfoEvent", sizeof(TReadInfoEvent), alignof(TReadInfoEvent));
  size("SInfo", sizeof(SInfo), alignof(SInfo));
  size("SPacket", sizeof(SPacket), alignof(SPacket));
  size("SVersionFirmware", sizeof(SVersionFirmware), alignof(SVersionFirmware));
  size("pointer", sizeof(void *), alignof(void *));
  const QByteArray digest = QCryptographicHash::hash(text, QCryptographicHash::Md5);
  TVersionBlock block{};
  std::memcpy(block.data(), digest.constData(), block.size());
  return block;
}

}   // namespace PlugIn
