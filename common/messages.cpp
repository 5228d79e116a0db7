#include "messages.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>
#include <algorithm>

namespace {
TMessages::TWindowEnumerator windowEnumerator;
}

TMessages::TMessages(QObject *parent) : QObject(parent) {}

void TMessages::SetWindowEnumerator(TWindowEnumerator enumerator) { windowEnumerator = std::move(enumerator); }

void TMessages::Add(QObject *object)
{
  std::scoped_lock lock(Lock);
  Objects.push_back(object);
  ClassNames.emplace_back(object->metaObject()->className());
}

void TMessages::Remove(QObject *object)
{
  std::scoped_lock lock(Lock);
  const auto at = std::find(Objects.begin(), Objects.end(), object);
  if (at == Objects.end())
    return;
  ClassNames.erase(ClassNames.begin() + (at - Objects.begin()));
  Objects.erase(at);
}

void TMessages::Clear()
{
  std::scoped_lock lock(Lock);
  Objects.clear();
  ClassNames.clear();
}

int TMessages::Count() const
{
  std::scoped_lock lock(Lock);
  return int(Objects.size());
}

void TMessages::BroadcastInfo(EDelivery delivery, const SInfo &info, const SVersionFirmware &identity,
                              const char *rootClassName)
{
  Broadcast(delivery, [info, identity] { return new TReadInfoEvent(info, identity); }, rootClassName);
}

void TMessages::BroadcastCalibrationChanged(EDelivery delivery, const char *rootClassName)
{
  Broadcast(delivery, [] { return new TCalibrationChangedEvent; }, rootClassName);
}

void TMessages::Broadcast(EDelivery delivery, TMakeEvent makeEvent, const char *rootClassName)
{
  const QByteArray root(rootClassName);
  if (QThread::currentThread() == thread()) {
    Deliver(delivery, makeEvent, root);
    return;
  }
  // The window walk belongs to the UI thread. A posted broadcast is handed over and returns at
  // once; a sent one waits until every window has handled it.
  auto run = [this, delivery, makeEvent, root] { Deliver(EDelivery::Send, makeEvent, root); };
  if (delivery == EDelivery::Post)
    QMetaObject::invokeMethod(this, run, Qt::QueuedConnection);
  else
    QMetaObject::invokeMethod(this, run, Qt::BlockingQueuedConnection);
}

void TMessages::Deliver(EDelivery delivery, const TMakeEvent &makeEvent, const QByteArray &rootClassName)
{
  QList<QObject *> windows;
  {
    std::scoped_lock lock(Lock);
    if (!windowEnumerator)
      windows = QList<QObject *>(Objects.begin(), Objects.end());
  }
  if (windowEnumerator)
    windows = windowEnumerator(rootClassName.constData());

  // Match under the lock, deliver after it: a window's handler may register or leave.
  std::vector<QPointer<QObject>> targets;
  {
    std::scoped_lock lock(Lock);
    for (QObject *window : windows) {
      const QByteArray name(window->metaObject()->className());
      for (const QByteArray &registered : ClassNames)
        if (registered == name)
          targets.emplace_back(window);
    }
  }
  for (const QPointer<QObject> &target : targets) {
    if (!target)
      continue;
    if (delivery == EDelivery::Post) {
      QCoreApplication::postEvent(target, makeEvent());
    } else {
      std::unique_ptr<QEvent> event(makeEvent());
      QCoreApplication::sendEvent(target, event.get());
    }
  }
}
