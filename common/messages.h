#pragma once
// TMessages: the list of window objects that want broadcasts, and Broadcast, which delivers a
// message to every window whose class name equals a registered object's class name.
//
// Messages are QEvents of fixed numbers. A live record travels inside its event as a copy of its
// own, identity texts beside it, so no receiver ever reads a record its sender is refilling.

#include "liverecord.h"
#include "records.h"

#include <QEvent>
#include <QList>
#include <QObject>
#include <QPointer>
#include <functional>
#include <mutex>
#include <vector>

inline constexpr QEvent::Type WM_READINFO = QEvent::Type(1025);
inline constexpr QEvent::Type WM_CALIBRATIONCHANGED = QEvent::Type(1028);

class TReadInfoEvent : public QEvent {
public:
  TReadInfoEvent(const SInfo &info, const SVersionFirmware &identity)
      : QEvent(WM_READINFO), Info(info), Identity(identity)
  {
  }
  const SInfo Info;
  const SVersionFirmware Identity;
};

class TCalibrationChangedEvent : public QEvent {
public:
  TCalibrationChangedEvent() : QEvent(WM_CALIBRATIONCHANGED) {}
};

class TMessages : public QObject {
  Q_OBJECT
public:
  enum class EDelivery { Post, Send };
  // The windows a broadcast visits, in order: the root window's descendants, then all top-level
  // windows. The program installs the widget walk; without one, the registered objects are visited.
  using TWindowEnumerator = std::function<QList<QObject *>(const char *rootClassName)>;

  explicit TMessages(QObject *parent = nullptr);

  void Add(QObject *object);
  void Remove(QObject *object);
  void Clear();
  int Count() const;

  // Delivers a live record (WM_READINFO) or a change notice (WM_CALIBRATIONCHANGED). Safe from
  // any thread: a broadcast from another thread is handed to the UI thread, which walks the
  // windows. Send blocks the caller until every window has handled the message.
  void BroadcastInfo(EDelivery delivery, const SInfo &info, const SVersionFirmware &identity,
                     const char *rootClassName = "TMain");
  void BroadcastCalibrationChanged(EDelivery delivery, const char *rootClassName = "TMain");

  static void SetWindowEnumerator(TWindowEnumerator enumerator);

private:
  using TMakeEvent = std::function<QEvent *()>;
  void Broadcast(EDelivery delivery, TMakeEvent makeEvent, const char *rootClassName);
  void Deliver(EDelivery delivery, const TMakeEvent &makeEvent, const QByteArray &rootClassName);

  mutable std::mutex Lock;
  std::vector<QObject *> Objects;
  std::vector<QByteArray> ClassNames;   // beside Objects: read once at Add, objects may be dying
};
