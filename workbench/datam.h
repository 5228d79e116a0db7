#pragma once
// TDataM: the plug-in's data module. It holds the actions the host merges into its menu and the
// host's objects, which it hands to the windows it opens. Each window exists at most once.

#include <QAction>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>

class TAllCalibration;
class TCommunication;
class TMessages;

class TDataM : public QObject {
  Q_OBJECT
public:
  TDataM(QObject *owner, TAllCalibration *calibrations, TCommunication *communication, TMessages *messages);
  ~TDataM() override;

  const QList<QAction *> &ActionList() const { return Actions; }

  QAction *const A_Dashboard;
  QAction *const A_LogMode;
  QAction *const A_Calibration;
  QAction *const A_CalibrationGraph;

  void A_DashboardExecute();
  void A_LogModeExecute();
  void A_CalibrationGraphExecute();

  // A shown top-level window of that class, or nullptr. One that is closing does not count.
  static QWidget *FindWindow(const char *className);

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  QAction *MakeAction(const char *name, const char *category, int key);
  void Retranslate();
  template <typename TWindow, typename... TArgs> void OpenOrRaise(TArgs... args);

  TAllCalibration *const Calibrations;
  TCommunication *const Communication;
  TMessages *const Messages;
  QList<QAction *> Actions;
  QList<QPointer<QWidget>> Windows;   // opened here; freed with the module at the latest
};
