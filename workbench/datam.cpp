#include "datam.h"

#include "graphcurve.h"
#include "logging.h"
#include "online.h"

#include <QApplication>
#include <QEvent>

TDataM::TDataM(QObject *owner, TAllCalibration *calibrations, TCommunication *communication, TMessages *messages)
    : QObject(owner), A_Dashboard(MakeAction("A_Dashboard", "Online", Qt::Key_D)),
      A_LogMode(MakeAction("A_LogMode", "Online", Qt::Key_L)),
      A_Calibration(MakeAction("A_Calibration", "Calibration", Qt::Key_T)),
      A_CalibrationGraph(MakeAction("A_CalibrationGraph", "Calibration", Qt::Key_G)), Calibrations(calibrations),
      Communication(communication), Messages(messages)
{
  setObjectName(QStringLiteral("DataM"));
  Actions = {A_Dashboard, A_LogMode, A_Calibration, A_CalibrationGraph};
  A_Calibration->setEnabled(false);
  A_Calibration->setVisible(false);
  A_Calibration->setProperty("inMenu", false);
  Retranslate();
  connect(A_Dashboard, &QAction::triggered, this, &TDataM::A_DashboardExecute);
  connect(A_LogMode, &QAction::triggered, this, &TDataM::A_LogModeExecute);
  connect(A_CalibrationGraph, &QAction::triggered, this, &TDataM::A_CalibrationGraphExecute);
  // The captions follow the language; the host takes them again when it rebuilds its menu.
  if (owner)
    owner->installEventFilter(this);
}

TDataM::~TDataM()
{
  for (const QPointer<QWidget> &window : std::as_const(Windows))
    delete window.data();
}

QAction *TDataM::MakeAction(const char *name, const char *category, int key)
{
  auto *action = new QAction(this);
  action->setObjectName(QLatin1String(name));
  action->setProperty("category", QLatin1String(category));
  action->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key(key)));
  return action;
}

void TDataM::Retranslate()
{
  A_Dashboard->setText(tr("Dashboard"));
  A_LogMode->setText(tr("Logging"));
  A_Calibration->setText(tr("Table"));
  A_CalibrationGraph->setText(tr("Graphic calibrations"));
}

bool TDataM::eventFilter(QObject *watched, QEvent *event)
{
  if (watched == parent() && event->type() == QEvent::LanguageChange)
    Retranslate();
  return QObject::eventFilter(watched, event);
}

QWidget *TDataM::FindWindow(const char *className)
{
  for (QWidget *w : QApplication::topLevelWidgets())
    if (qstrcmp(w->metaObject()->className(), className) == 0 && w->isVisible())
      return w;
  return nullptr;
}

template <typename TWindow, typename... TArgs> void TDataM::OpenOrRaise(TArgs... args)
{
  if (QWidget *open = FindWindow(TWindow::staticMetaObject.className())) {
    if (open->isMinimized())
      open->showNormal();
    open->raise();
    open->activateWindow();
    return;
  }
  // Top-level and without a parent: the window frees itself when closed.
  auto *window = new TWindow(args...);
  Windows.removeAll(nullptr);
  Windows << window;
  window->show();
}

void TDataM::A_DashboardExecute() { OpenOrRaise<TOnline>(Calibrations, Communication, Messages); }

void TDataM::A_LogModeExecute() { OpenOrRaise<TLogging>(static_cast<QWidget *>(nullptr), Communication, Messages); }

void TDataM::A_CalibrationGraphExecute()
{
  OpenOrRaise<TGraphCurve>(static_cast<QWidget *>(nullptr), Calibrations, Communication, Messages);
}
