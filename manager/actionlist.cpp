#include "actionlist.h"

#include <QVariant>

TActionList::TActionList(QObject *parent) : QObject(parent)
{
  // A short timer rather than a zero one: the rules stay current to the eye without keeping a
  // core busy.
  IdleTimer.setInterval(IdleIntervalMs);
  connect(&IdleTimer, &QTimer::timeout, this, &TActionList::RunUpdates);
  IdleTimer.start();
}

void TActionList::Add(QAction *action) { List.append(action); }
void TActionList::Remove(QAction *action) { List.removeAll(action); }

void TActionList::AddUpdate(std::function<void()> update) { Updates.push_back(std::move(update)); }

void TActionList::RunUpdates()
{
  for (const auto &update : Updates)
    update();
}

QString TActionList::Category(const QAction *action) { return action->property("category").toString(); }
void TActionList::SetCategory(QAction *action, const QString &category) { action->setProperty("category", category); }

bool TActionList::InMenu(const QAction *action)
{
  const QVariant v = action->property("inMenu");
  return !v.isValid() || v.toBool();
}

void TActionList::SetInMenu(QAction *action, bool inMenu) { action->setProperty("inMenu", inMenu); }
