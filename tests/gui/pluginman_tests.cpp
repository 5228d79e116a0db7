// The plug-in loader against small test plug-ins and the real workbench.zex.

#include "actionlist.h"
#include "mainwindow.h"
#include "messages.h"
#include "pluginman.h"
#include "scriptedline.h"
#include "scriptedprompts.h"
#include "tempdir.h"
#include "waitfor.h"

#include <QApplication>
#include <QFile>
#include <QLibrary>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QSettings>
#include <gtest/gtest.h>

namespace {

QString TestPlugIn(const char *name)
{
  return QStringLiteral(ZOLT_TEST_PLUGIN_DIR "/%1/%1.zex").arg(QLatin1String(name));
}

QMenu *SubMenu(QMenu *menu, const QString &caption)
{
  for (QAction *a : menu->actions())
    if (a->menu() && a->text() == caption)
      return a->menu();
  return nullptr;
}

// "caption[objectName]: entry, entry" for each item of a menu, sub-menus with their entries.
QStringList Outline(const QMenu *menu)
{
  QStringList lines;
  for (QAction *a : menu->actions()) {
    if (!a->menu()) {
      lines << a->text();
      continue;
    }
    QStringList entries;
    for (QAction *e : a->menu()->actions())
      entries << e->text();
    lines << QStringLiteral("%1[%2]: %3").arg(a->text(), a->menu()->objectName(), entries.join(QStringLiteral(", ")));
  }
  return lines;
}

QWidget *TopLevel(const char *className)
{
  for (QWidget *w : QApplication::topLevelWidgets())
    if (qstrcmp(w->metaObject()->className(), className) == 0 && w->isVisible())
      return w;
  return nullptr;
}

int TopLevelCount(const char *className)
{
  int n = 0;
  for (QWidget *w : QApplication::topLevelWidgets())
    n += qstrcmp(w->metaObject()->className(), className) == 0 && w->isVisible();
  return n;
}

class PlugInManTest : public TTempDirTest {
protected:
  // Places a built test plug-in into the program's plugins/ folder under a file name of its own.
  void Place(const char *plugIn, const QString &asName)
  {
    QDir().mkpath(Path(QStringLiteral("plugins")));
    ASSERT_TRUE(QFile::copy(TestPlugIn(plugIn), PlugInPath(asName))) << plugIn;
  }
  QString PlugInPath(const QString &name) const { return Path(QStringLiteral("plugins/") + name); }

  void WriteFile(const QString &name, const QByteArray &bytes)
  {
    QDir().mkpath(Path(QStringLiteral("plugins")));
    QFile file(PlugInPath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }

  // Starts the program; without a configured folder it looks in plugins/ beside itself.
  void Start(const QString &plugInsSetting = QString())
  {
    QSettings ini(Path(QStringLiteral("Setting.ini")), QSettings::IniFormat);
    ini.setValue(QStringLiteral("Main/Version"), QStringLiteral("ZFS001"));
    if (!plugInsSetting.isNull())
      ini.setValue(QStringLiteral("Setting/PlugIns"), plugInsSetting);
    ini.sync();
    Main = std::make_unique<TMain>(TempDir.path(), QStringList(), nullptr, new TScriptedLine);
  }

  QMenu *Work() const
  {
    for (QAction *top : Main->MainMenu()->actions())
      if (top->text() == QLatin1String("Work"))
        return top->menu();
    return nullptr;
  }
  TPlugInMan &Loader() const { return *Main->PlugInMan(); }

  void TearDown() override { Main.reset(); }

  TScriptedPrompts Prompts;
  std::unique_ptr<TMain> Main;
};

TEST_F(PlugInManTest, GoodPlugInMergesItsCategoriesUnderWork)
{
  Place("good", QStringLiteral("good.zex"));
  Start();
  ASSERT_EQ(Loader().ModuleCount(), 1);
  EXPECT_EQ(Outline(Work()), (QStringList{QStringLiteral("Paramerets"), QStringLiteral("Tools[Tools0]: Tool one"),
                                          QStringLiteral("Hidden stuff[Hidden_stuff1]: "),
                                          QStringLiteral("3D view[_3D_view2]: Viewer")}));
  ASSERT_EQ(Main->ActionListDLL().Actions().size(), 2);
  QAction *copy = Main->ActionListDLL().Actions().first();
  EXPECT_EQ(copy->objectName(), QStringLiteral("A_ToolOne"));
  EXPECT_EQ(TActionList::Category(copy), QStringLiteral("Tools"));
  EXPECT_EQ(copy->shortcut(), QKeySequence(QStringLiteral("Ctrl+Alt+F1")));
  EXPECT_TRUE(Main->actions().contains(copy)) << "the shortcut works without the menu";
  EXPECT_TRUE(Prompts.Messages.isEmpty());
}

TEST_F(PlugInManTest, ExecutingTheCopyRunsThePlugInAndItsWindowGoesBeforeTheLibrary)
{
  Place("good", QStringLiteral("good.zex"));
  Start();
  qApp->setProperty("testPlugInTriggered", QVariant());
  Main->ActionListDLL().Actions().first()->trigger();
  EXPECT_EQ(qApp->property("testPlugInTriggered").toString(),
            QStringLiteral("A1B2C3D4-0000-4000-8000-00000000000A/A_ToolOne"));
  QPointer<QWidget> window = TopLevel("TTestPlugInWindow");
  ASSERT_TRUE(window);
  QPointer<QObject> module = qApp->findChild<QObject *>(QStringLiteral("TestPlugInModule"), Qt::FindDirectChildrenOnly);
  ASSERT_TRUE(module);
  Main.reset();
  EXPECT_FALSE(window) << "the plug-in's window is freed while its code is loaded";
  EXPECT_FALSE(module);
}

TEST_F(PlugInManTest, BrokenPlugInsAreRejectedSilently)
{
  QFile good(TestPlugIn("good"));
  ASSERT_TRUE(good.open(QIODevice::ReadOnly));
  const QByteArray image = good.readAll();
  struct SCase {
    const char *Name;
    const char *PlugIn;   // a built test plug-in, or nullptr for the bytes below
    QByteArray Bytes;
  };
  const SCase cases[] = {
      {"wrong handshake", "wronghandshake", {}},
      {"built against another zoltcommon", "stale", {}},
      {"no Version", "noversion", {}},
      {"no Id", "noid", {}},
      {"no Init", "noinit", {}},
      {"garbage Id", "garbageid", {}},
      {"Id written past its buffer", "idoverrun", {}},
      {"Init throws", "throwinit", {}},
      {"not a library", nullptr, "this is a text file\n"},
      {"empty file", nullptr, QByteArray()},
      {"truncated library, segments whole", nullptr, image.left(image.size() / 3)},
      {"truncated library, segments cut", nullptr, image.left(20000)},
      {"ELF header only", nullptr, image.left(64)},
  };
  for (const SCase &c : cases) {
    SCOPED_TRACE(c.Name);
    QDir(Path(QStringLiteral("plugins"))).removeRecursively();
    if (c.PlugIn)
      Place(c.PlugIn, QStringLiteral("p.zex"));
    else
      WriteFile(QStringLiteral("p.zex"), c.Bytes);
    Start();
    EXPECT_EQ(Loader().ModuleCount(), 0);
    EXPECT_EQ(Outline(Work()), QStringList{QStringLiteral("Paramerets")});
    EXPECT_TRUE(Main->ActionListDLL().Actions().isEmpty());
    EXPECT_FALSE(TopLevel("TTestPlugInWindow")) << "whatever a failed Init made is gone";
    EXPECT_FALSE(qApp->findChild<QObject *>(QStringLiteral("TestPlugInModule"), Qt::FindDirectChildrenOnly));
    EXPECT_TRUE(Prompts.Messages.isEmpty());
    Main.reset();
  }
}

TEST_F(PlugInManTest, BadFilesDoNotKeepTheOthersFromLoading)
{
  Place("throwinit", QStringLiteral("a.zex"));
  Place("good", QStringLiteral("b.zex"));
  WriteFile(QStringLiteral("c.zex"), "garbage");
  Place("garbageid", QStringLiteral("d.zex"));
  Place("second", QStringLiteral("e.zex"));
  Place("wronghandshake", QStringLiteral("f.zex"));
  Start();
  ASSERT_EQ(Loader().ModuleCount(), 2);
  EXPECT_EQ(Loader().ModuleAt(0)->fileName(), PlugInPath(QStringLiteral("b.zex")));
  EXPECT_EQ(Loader().ModuleAt(1)->fileName(), PlugInPath(QStringLiteral("e.zex")));
  EXPECT_EQ(Loader().ModuleAt(2), nullptr);
  EXPECT_EQ(Loader().ModuleAt(-1), nullptr);
  EXPECT_EQ(Outline(Work()).at(1), QStringLiteral("Tools[Tools0]: Tool one, Second")) << "categories match case-insensitively";
}

TEST_F(PlugInManTest, DuplicateIdentifierIsRejectedWhereverTheFirstCopyIs)
{
  struct SCase {
    const char *Name;
    QList<std::pair<const char *, const char *>> Files;
    QStringList Loaded;
  };
  const SCase cases[] = {
      {"two copies", {{"good", "a.zex"}, {"good", "b.zex"}}, {QStringLiteral("a.zex")}},
      {"copy of a plug-in that is not the last loaded",
       {{"good", "a.zex"}, {"second", "b.zex"}, {"good", "c.zex"}},
       {QStringLiteral("a.zex"), QStringLiteral("b.zex")}},
  };
  for (const SCase &c : cases) {
    SCOPED_TRACE(c.Name);
    QDir(Path(QStringLiteral("plugins"))).removeRecursively();
    for (const auto &[plugIn, file] : c.Files)
      Place(plugIn, QLatin1String(file));
    Start();
    QStringList loaded;
    for (int k = 0; k < Loader().ModuleCount(); ++k)
      loaded << QFileInfo(Loader().ModuleAt(k)->fileName()).fileName();
    EXPECT_EQ(loaded, c.Loaded);
    EXPECT_EQ(Outline(Work()).at(1).count(QStringLiteral("Tool one")), 1);
    Main.reset();
  }
}

TEST_F(PlugInManTest, OnlyInvisibleActionsStillAddTheirEmptyCategory)
{
  Place("invisible", QStringLiteral("quiet.zex"));
  Start();
  EXPECT_EQ(Loader().ModuleCount(), 1);
  EXPECT_EQ(Outline(Work()), (QStringList{QStringLiteral("Paramerets"), QStringLiteral("Quiet[Quiet0]: ")}));
  EXPECT_TRUE(Main->ActionListDLL().Actions().isEmpty());
}

TEST_F(PlugInManTest, AnActionNameAlreadyUsedIsSkipped)
{
  Place("good", QStringLiteral("a.zex"));
  Place("clash", QStringLiteral("b.zex"));
  Start();
  EXPECT_EQ(Loader().ModuleCount(), 2);
  const QStringList outline = Outline(Work());
  EXPECT_EQ(outline.at(1), QStringLiteral("Tools[Tools0]: Tool one"));
  EXPECT_EQ(outline.last(), QStringLiteral("Clash[Clash1]: Own"));
  int named = 0;
  for (QAction *a : Main->ActionListDLL().Actions())
    named += a->objectName() == QLatin1String("A_ToolOne");
  EXPECT_EQ(named, 1);
}

TEST_F(PlugInManTest, AFolderWithoutPlugInsLoadsNothing)
{
  WriteFile(QStringLiteral("readme.txt"), "no plug-ins here");
  for (const QString &setting : {QString(), Path(QStringLiteral("plugins")), Path(QStringLiteral("missing"))}) {
    SCOPED_TRACE(setting.toStdString());
    Start(setting);
    EXPECT_EQ(Loader().ModuleCount(), 0);
    EXPECT_EQ(Outline(Work()), QStringList{QStringLiteral("Paramerets")});
    Main.reset();
  }
}

TEST_F(PlugInManTest, TheDirectoryFallsBackToPlugInsBesideTheProgram)
{
  QDir(TempDir.path()).mkpath(QStringLiteral("mine"));
  const QString program = TempDir.path();
  const QString plugins = QDir(program).filePath(QStringLiteral("plugins"));
  EXPECT_EQ(TPlugInMan::ResolveDirectory(QStringLiteral("0"), program), plugins);
  EXPECT_EQ(TPlugInMan::ResolveDirectory(QString(), program), plugins);
  EXPECT_EQ(TPlugInMan::ResolveDirectory(Path(QStringLiteral("nowhere")), program), plugins);
  EXPECT_EQ(TPlugInMan::ResolveDirectory(Path(QStringLiteral("mine")), program), Path(QStringLiteral("mine")));
  EXPECT_EQ(TPlugInMan::ResolveDirectory(QStringLiteral("mine"), program), Path(QStringLiteral("mine")))
      << "relative to the program, not to the working folder";

  Place("good", QStringLiteral("good.zex"));
  Start(QStringLiteral("0"));
  EXPECT_EQ(Loader().ModuleCount(), 1);
  EXPECT_EQ(Main->Settings().PlugIns, QStringLiteral("0")) << "the stored setting stays as it was";
}

TEST_F(PlugInManTest, EntriesComeBackAfterTheMenuIsRebuilt)
{
  Place("good", QStringLiteral("good.zex"));
  Start();
  const QStringList before = Outline(Work());
  const QList<QAction *> copies = Main->ActionListDLL().Actions();
  Main->BuildMainMenu();
  EXPECT_EQ(Outline(Work()), before);
  EXPECT_EQ(Main->ActionListDLL().Actions(), copies) << "the same copies, not new ones";
  QEvent change(QEvent::LanguageChange);
  QCoreApplication::sendEvent(Main.get(), &change);
  EXPECT_EQ(Outline(Work()), before);
}

TEST_F(PlugInManTest, WithoutWorkAPlugInItemGoesBeforeTheLastTopLevelItem)
{
  QMainWindow window;
  QMenuBar *menu = window.menuBar();
  menu->addMenu(QStringLiteral("&Connection"));
  menu->addMenu(QStringLiteral("Help"));
  TActionList dll;
  TPlugInMan loader(nullptr, TPlugInMan::SHost{&window, menu, &dll, nullptr, nullptr, nullptr}, QString());
  EXPECT_TRUE(loader.LoadPlugIn(TestPlugIn("good")));
  EXPECT_TRUE(loader.LoadPlugIn(TestPlugIn("second")));
  QStringList tops;
  for (QAction *top : menu->actions())
    tops << top->text();
  EXPECT_EQ(tops, (QStringList{QStringLiteral("&Connection"), QStringLiteral("Work"), QStringLiteral("Help")}));
  QMenu *plugIn = menu->actions().at(1)->menu();
  EXPECT_EQ(plugIn->objectName(), QStringLiteral("PlugIn"));
  EXPECT_EQ(Outline(plugIn).first(), QStringLiteral("Tools[Tools0]: Tool one, Second"));

  QLibrary *second = loader.ModuleAt(1);
  EXPECT_TRUE(loader.UnloadPlugIn(second));
  EXPECT_EQ(loader.ModuleCount(), 1);
  EXPECT_EQ(Outline(plugIn).first(), QStringLiteral("Tools[Tools0]: Tool one"));
  EXPECT_FALSE(loader.UnloadPlugIn(second)) << "no longer loaded";
  loader.Release();
  EXPECT_EQ(loader.ModuleCount(), 0);
  EXPECT_TRUE(dll.Actions().isEmpty());
}

TEST_F(PlugInManTest, WorkbenchMenuReadsAsDesigned)
{
  Start(QStringLiteral(ZOLT_PLUGIN_DIR));
  ASSERT_EQ(Loader().ModuleCount(), 1);
  EXPECT_EQ(Outline(Work()), (QStringList{QStringLiteral("Paramerets"),
                                          QStringLiteral("Online[Online0]: Dashboard, Logging"),
                                          QStringLiteral("Calibration[Calibration2]: Graphic calibrations")}));
  QStringList shortcuts;
  for (QAction *a : Main->ActionListDLL().Actions())
    shortcuts << a->objectName() + QLatin1Char('=') + a->shortcut().toString();
  EXPECT_EQ(shortcuts, (QStringList{QStringLiteral("A_Dashboard=Ctrl+Alt+D"), QStringLiteral("A_LogMode=Ctrl+Alt+L"),
                                    QStringLiteral("A_CalibrationGraph=Ctrl+Alt+G")}));
}

TEST_F(PlugInManTest, WorkbenchDashboardOpensOnceAndGoesWithTheProgram)
{
  Start(QStringLiteral(ZOLT_PLUGIN_DIR));
  QAction *dashboard = SubMenu(Work(), QStringLiteral("Online"))->actions().first();
  dashboard->trigger();
  QPointer<QWidget> first = TopLevel("TOnline");
  ASSERT_TRUE(first);
  dashboard->trigger();
  EXPECT_EQ(TopLevelCount("TOnline"), 1) << "the second time it only comes to the front";
  EXPECT_EQ(TopLevel("TOnline"), first.data());

  first->close();
  EXPECT_TRUE(WaitFor([&] { return first.isNull(); })) << "it frees itself when closed";
  dashboard->trigger();
  QPointer<QWidget> fresh = TopLevel("TOnline");
  ASSERT_TRUE(fresh);

  // The live records reach it through the host's list while it is open.
  SInfo info = MakeZeroInfo();
  info.RPM = 2500;
  Main->Messages()->BroadcastInfo(TMessages::EDelivery::Send, info, SVersionFirmware{});
  const QWidget *rpm = fresh->findChild<QWidget *>(QStringLiteral("D_1"));
  ASSERT_TRUE(rpm);
  EXPECT_EQ(rpm->property("position").toDouble(), 2500.0);
  Main.reset();
  EXPECT_FALSE(fresh) << "freed before the plug-in's code is released";
}

}   // namespace
