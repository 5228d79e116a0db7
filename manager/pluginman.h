#pragma once
// TPlugInMan: finds the plug-ins (*.zex) of the plug-in directory, checks and initialises them,
// merges their actions into the main menu under "Work", and releases them at the end, last
// loaded first, after the objects they created are gone.

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>
#include <vector>

class QAction;
class QLibrary;
class QMenu;
class QMenuBar;
class QWidget;
class TActionList;
class TAllCalibration;
class TCommunication;
class TMain;
class TMessages;

class TPlugInMan : public QObject {
  Q_OBJECT
public:
  // What a plug-in is given and where its actions go.
  struct SHost {
    QWidget *Window = nullptr;             // receives the action copies, so their shortcuts work
    QMenuBar *Menu = nullptr;
    TActionList *ActionListDLL = nullptr;
    TAllCalibration *Calibrations = nullptr;
    TCommunication *Communication = nullptr;
    TMessages *Messages = nullptr;
  };

  // The main window's menu and objects; the menu is merged again after each rebuild.
  TPlugInMan(QObject *owner, TMain *mainWindow, const QString &directory);
  TPlugInMan(QObject *owner, const SHost &host, const QString &directory);
  ~TPlugInMan() override;

  // The directory the plug-ins are loaded from: the configured one when it exists (a relative
  // one taken beside the program), otherwise plugins/ beside the program.
  static QString ResolveDirectory(const QString &configured, const QString &programDir);

  const QString &Directory() const { return Dir; }
  const QString &WorkCaption() const { return Work; }

  void LoadPlugIns();
  bool LoadPlugIn(const QString &fileName);
  bool UnloadPlugIn(QLibrary *module);
  QLibrary *ModuleAt(int index) const;
  int ModuleCount() const { return int(Modules.size()); }
  // Releases every plug-in, last loaded first. Also run by destruction.
  void Release();
  // Puts the plug-in entries back after the main menu was rebuilt (a language change).
  void MergeAll();

private:
  struct SModule;
  void Merge(SModule &module);
  void Unmerge(SModule &module);
  QMenu *WorkMenu();
  void DestroyObjectsOf(SModule &module);
  bool Release(SModule &module);

  SHost Host;
  QString Dir;
  QString Work;
  std::vector<std::unique_ptr<SModule>> Modules;
};
