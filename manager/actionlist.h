#pragma once
// An ordered list of actions with their categories and update handlers. The handlers run
// whenever the event loop has been idle for a moment, so enabling rules hold without anyone
// calling them.
//
// An action's category and whether it has a menu entry are kept as properties on the QAction
// itself ("category", "inMenu"), so actions handed over by a plug-in carry them too. An action
// without a menu entry stays a visible QAction of its window: its shortcut keeps working.

#include <QAction>
#include <QList>
#include <QObject>
#include <QTimer>
#include <functional>
#include <vector>

class TActionList : public QObject {
  Q_OBJECT
public:
  static constexpr int IdleIntervalMs = 50;

  explicit TActionList(QObject *parent = nullptr);

  void Add(QAction *action);
  void Remove(QAction *action);
  // An enabling rule; rules run in the order they were added.
  void AddUpdate(std::function<void()> update);
  const QList<QAction *> &Actions() const { return List; }
  void RunUpdates();

  static QString Category(const QAction *action);
  static void SetCategory(QAction *action, const QString &category);
  static bool InMenu(const QAction *action);
  static void SetInMenu(QAction *action, bool inMenu);

private:
  QList<QAction *> List;
  std::vector<std::function<void()>> Updates;
  QTimer IdleTimer;
};
