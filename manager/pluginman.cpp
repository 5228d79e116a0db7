#include "pluginman.h"

#include "actionlist.h"
#include "mainwindow.h"
#include "plugininterface.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSet>
#include <QWidget>
#include <algorithm>
#include <cstring>
#include <dlfcn.h>
#include <elf.h>
#include <link.h>
#include <exception>

namespace {

// Bytes after each buffer handed to a plug-in: one that writes past its block is not trusted.
constexpr int GuardSize = 32;
constexpr std::uint8_t GuardByte = 0xA5;

QString MenuKey(QString caption) { return caption.remove(QLatin1Char('&')).trimmed().toLower(); }

bool IsGuid(const QByteArray &id)
{
  static const QRegularExpression guid(QStringLiteral(
      "^[0-9A-Fa-f]{8}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{12}$"));
  return id.size() == PlugIn::IdSize && guid.match(QString::fromLatin1(id)).hasMatch();
}

// A category becomes part of an object name: letters, digits and underscores, not starting
// with a digit.
QString CleanName(const QString &text)
{
  QString name;
  for (const QChar c : text.trimmed())
    name += (c.isLetterOrNumber() && c.unicode() < 128) || c == QLatin1Char('_') ? c : QLatin1Char('_');
  if (name.isEmpty())
    name = QStringLiteral("PlugIn");
  if (name.front().isDigit())
    name.prepend(QLatin1Char('_'));
  return name;
}

// The dynamic loader maps a library's segments without checking them against the file's length;
// touching a page past the end of a truncated file kills the process. So the headers are read
// first, and every segment, and the section table at the file's end, must lie within the file.
bool IsCompleteLibrary(const QString &fileName)
{
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly))
    return false;
  const quint64 size = quint64(file.size());
  ElfW(Ehdr) header{};
  if (file.read(reinterpret_cast<char *>(&header), sizeof header) != qint64(sizeof header))
    return false;
  if (std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 || header.e_ident[EI_CLASS] != (sizeof(void *) == 8 ? ELFCLASS64 : ELFCLASS32) ||
      header.e_type != ET_DYN || header.e_phentsize != sizeof(ElfW(Phdr)) || header.e_phnum == 0)
    return false;
  auto within = [size](quint64 offset, quint64 length) { return offset <= size && length <= size - offset; };
  if (!within(header.e_phoff, quint64(header.e_phnum) * header.e_phentsize) ||
      (header.e_shnum != 0 && !within(header.e_shoff, quint64(header.e_shnum) * header.e_shentsize)))
    return false;
  if (!file.seek(qint64(header.e_phoff)))
    return false;
  for (int k = 0; k < header.e_phnum; ++k) {
    ElfW(Phdr) segment{};
    if (file.read(reinterpret_cast<char *>(&segment), sizeof segment) != qint64(sizeof segment))
      return false;
    if (segment.p_type != PT_NULL && !within(segment.p_offset, segment.p_filesz))
      return false;
  }
  return true;
}

bool Visible(const QAction *action) { return action->isVisible() && TActionList::InMenu(action); }

}   // namespace

struct TPlugInMan::SModule {
  std::unique_ptr<QLibrary> Library;
  QByteArray Id;
  PlugIn::TInitFunction Init = nullptr;
  const QList<QAction *> *Actions = nullptr;
  QList<QPointer<QObject>> Created;          // the application object's new children from Init
  QList<QPointer<QAction>> Copies;           // in ActionListDLL, kept across menu rebuilds
  QList<QPointer<QMenu>> Menus;              // category items this module created
};

TPlugInMan::TPlugInMan(QObject *owner, TMain *mainWindow, const QString &directory)
    : TPlugInMan(owner,
                 SHost{mainWindow, mainWindow->MainMenu(), &mainWindow->ActionListDLL(), mainWindow->Calibrations(),
                       mainWindow->Communication(), mainWindow->Messages()},
                 directory)
{
  connect(mainWindow, &TMain::MainMenuBuilt, this, &TPlugInMan::MergeAll);
}

TPlugInMan::TPlugInMan(QObject *owner, const SHost &host, const QString &directory)
    : QObject(owner), Host(host), Dir(directory), Work(tr("Work"))
{
}

TPlugInMan::~TPlugInMan() { Release(); }

QString TPlugInMan::ResolveDirectory(const QString &configured, const QString &programDir)
{
  const QDir program(programDir);
  if (!configured.trimmed().isEmpty()) {
    // Relative to the program, never to whatever folder the program was started from.
    const QFileInfo info(program.filePath(configured));
    if (info.isDir())
      return info.absoluteFilePath();
  }
  return program.filePath(QStringLiteral("plugins"));
}

void TPlugInMan::LoadPlugIns()
{
  // By name, so that which of two copies wins does not depend on the file system.
  const QDir dir(Dir);
  const QStringList entries =
      dir.entryList({QStringLiteral("*.zex")}, QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
  for (const QString &entry : entries)
    LoadPlugIn(dir.filePath(entry));
}

bool TPlugInMan::LoadPlugIn(const QString &fileName)
{
  auto module = std::make_unique<SModule>();
  module->Library = std::make_unique<QLibrary>(fileName);
  if (!IsCompleteLibrary(fileName) || !module->Library->load())
    return false;
  auto fail = [&module] {
    module->Library->unload();
    return false;
  };

  try {
    const auto version = reinterpret_cast<PlugIn::TVersionFunction>(module->Library->resolve(PlugIn::VersionExport));
    const auto id = reinterpret_cast<PlugIn::TIdFunction>(module->Library->resolve(PlugIn::IdExport));
    module->Init = reinterpret_cast<PlugIn::TInitFunction>(module->Library->resolve(PlugIn::InitExport));
    if (!version || !id || !module->Init)
      return fail();

    std::uint8_t block[PlugIn::VersionSize + GuardSize];
    std::fill(std::begin(block), std::end(block), GuardByte);
    version(block);
    const PlugIn::TVersionBlock expected = PlugIn::InterfaceBlock();
    if (!std::equal(expected.begin(), expected.end(), block) ||
        std::any_of(block + PlugIn::VersionSize, std::end(block), [](std::uint8_t b) { return b != GuardByte; }))
      return fail();

    char idText[PlugIn::IdSize + GuardSize];
    std::fill(std::begin(idText), std::end(idText), char(GuardByte));
    id(idText);
    module->Id = QByteArray(idText, PlugIn::IdSize);
    if (!IsGuid(module->Id) ||
        std::any_of(idText + PlugIn::IdSize, std::end(idText), [](char c) { return c != char(GuardByte); }))
      return fail();
    for (const auto &loaded : Modules)
      if (loaded->Id == module->Id)
        return fail();
  } catch (...) {
    return fail();
  }

  // Whatever Init makes a child of the application object is the plug-in's, to be freed before
  // its code goes away.
  QCoreApplication *application = QCoreApplication::instance();
  const QObjectList before = application ? application->children() : QObjectList();
  SModule &added = *module;
  Modules.push_back(std::move(module));
  auto collectCreated = [&] {
    if (application)
      for (QObject *child : application->children())
        if (!before.contains(child))
          added.Created << child;
  };
  auto rollBack = [this, &added] {
    Release(added);
    Modules.pop_back();
    return false;
  };
  try {
    added.Actions = added.Init(Host.Calibrations, Host.Communication, Host.Messages, application);
  } catch (...) {
    collectCreated();
    return rollBack();
  }
  collectCreated();
  try {
    Merge(added);
  } catch (...) {
    return rollBack();
  }
  return true;
}

QMenu *TPlugInMan::WorkMenu()
{
  if (!Host.Menu)
    return nullptr;
  // The host's categories are its source texts; "Work" is found in either form.
  const QString key = MenuKey(Work);
  for (QAction *top : Host.Menu->actions())
    if (top->menu() && (MenuKey(top->text()) == key || MenuKey(top->text()) == QLatin1String("work")))
      return top->menu();
  auto *menu = new QMenu(Work.trimmed(), Host.Menu);
  menu->setObjectName(QStringLiteral("PlugIn"));
  const QList<QAction *> tops = Host.Menu->actions();
  Host.Menu->insertMenu(tops.isEmpty() ? nullptr : tops.last(), menu);
  return menu;
}

void TPlugInMan::Merge(SModule &module)
{
  if (!module.Actions)
    return;
  QMenu *work = WorkMenu();
  if (!work)
    return;
  // The items of an earlier merge hang in a menu the rebuild has dropped.
  for (const QPointer<QMenu> &menu : std::as_const(module.Menus))
    delete menu.data();
  module.Menus.clear();

  const QList<QAction *> &actions = *module.Actions;
  for (int i = 0; i < actions.size(); ++i) {
    QAction *original = actions[i];
    if (!original)
      continue;
    const QString category = TActionList::Category(original).trimmed();
    QMenu *item = nullptr;
    for (QAction *sub : work->actions())
      if (sub->menu() && MenuKey(sub->text()) == MenuKey(category))
        item = sub->menu();
    if (!item) {
      item = new QMenu(category, work);
      item->setObjectName(CleanName(category) + QString::number(i));
      work->addMenu(item);
      module.Menus << item;
    }
    if (!Visible(original))
      continue;

    const QString name = original->objectName().trimmed();
    QAction *copy = nullptr;
    for (const QPointer<QAction> &c : std::as_const(module.Copies))
      if (c && c->objectName() == name)
        copy = c;
    if (!copy) {
      // A name the host or another plug-in already uses would make the look-up by name ambiguous.
      const bool taken = std::any_of(Host.ActionListDLL->Actions().begin(), Host.ActionListDLL->Actions().end(),
                                     [&name](const QAction *a) { return a->objectName() == name; }) ||
                         (Host.Window && Host.Window->findChild<QAction *>(name, Qt::FindDirectChildrenOnly));
      if (name.isEmpty() || taken)
        continue;
      copy = new QAction(original->text().trimmed(), Host.ActionListDLL);
      copy->setObjectName(name);
      TActionList::SetCategory(copy, category);
      copy->setShortcut(original->shortcut());
      QPointer<QAction> target(original);
      connect(copy, &QAction::triggered, original, [target] {
        try {
          if (target)
            target->trigger();
        } catch (...) {
          // A plug-in's failure must not take the program down.
        }
      });
      Host.ActionListDLL->Add(copy);
      if (Host.Window)
        Host.Window->addAction(copy);
      module.Copies << copy;
    } else {
      copy->setText(original->text().trimmed());
    }
    item->addAction(copy);
  }
}

void TPlugInMan::MergeAll()
{
  for (const auto &module : Modules)
    try {
      Merge(*module);
    } catch (...) {
      // The entries of this plug-in stay missing from the menu; its shortcuts still work.
    }
}

void TPlugInMan::Unmerge(SModule &module)
{
  for (const QPointer<QMenu> &menu : std::as_const(module.Menus))
    delete menu.data();
  module.Menus.clear();
  for (const QPointer<QAction> &copy : std::as_const(module.Copies)) {
    if (!copy)
      continue;
    // TActionList keeps plain pointers: a copy leaves the list before it is freed.
    Host.ActionListDLL->Remove(copy.data());
    delete copy.data();
  }
  module.Copies.clear();
}

void TPlugInMan::DestroyObjectsOf(SModule &module)
{
  // Windows of the plug-in's own classes: their meta-objects live in the plug-in's image.
  Dl_info image{};
  if (module.Init && dladdr(reinterpret_cast<void *>(module.Init), &image) && image.dli_fbase) {
    const void *base = image.dli_fbase;
    auto ofPlugIn = [base](const QObject *object) {
      Dl_info info{};
      return dladdr(object->metaObject(), &info) && info.dli_fbase == base;
    };
    QList<QPointer<QWidget>> windows;
    if (qobject_cast<QApplication *>(QCoreApplication::instance()))
      for (QWidget *w : QApplication::topLevelWidgets())
        if (ofPlugIn(w))
          windows << w;
    for (const QPointer<QWidget> &w : std::as_const(windows))
      delete w.data();
    if (QCoreApplication *application = QCoreApplication::instance())
      for (QObject *child : application->children())
        if (ofPlugIn(child) && !module.Created.contains(child))
          module.Created << child;
  }
  for (const QPointer<QObject> &object : std::as_const(module.Created))
    delete object.data();
  module.Created.clear();
}

bool TPlugInMan::Release(SModule &module)
{
  Unmerge(module);
  DestroyObjectsOf(module);
  module.Actions = nullptr;
  return module.Library->unload();
}

QLibrary *TPlugInMan::ModuleAt(int index) const
{
  return index >= 0 && index < int(Modules.size()) ? Modules[std::size_t(index)]->Library.get() : nullptr;
}

bool TPlugInMan::UnloadPlugIn(QLibrary *module)
{
  const auto at = std::find_if(Modules.begin(), Modules.end(), [module](const auto &m) { return m->Library.get() == module; });
  if (at == Modules.end() || !Release(**at))
    return false;
  Modules.erase(at);
  return true;
}

void TPlugInMan::Release()
{
  while (!Modules.empty()) {
    Release(*Modules.back());
    Modules.pop_back();
  }
}
