#include "mainwindow.h"
#include "scriptedline.h"
#include "scriptedprompts.h"
#include "settingsdialog.h"
#include "tempdir.h"
#include "translator.h"
#include "waitfor.h"

#include <QApplication>
#include <QComboBox>
#include <QMenuBar>
#include <gtest/gtest.h>

using LanguageTest = TTempDirTest;

TEST_F(LanguageTest, ChoosingALanguageRebuildsTheMenuInItInTheSameOrder)
{
  TScriptedPrompts prompts;
  TMain main(TempDir.path(), {}, nullptr, new TScriptedLine);
  main.show();
  main.A_SettingsExecute();
  TSettings *dialog = nullptr;
  for (QWidget *w : QApplication::topLevelWidgets())
    if (auto *d = qobject_cast<TSettings *>(w))
      dialog = d;
  ASSERT_NE(dialog, nullptr);
  auto *languages = dialog->findChild<QComboBox *>(QStringLiteral("LangList"));
  ASSERT_GE(languages->count(), 2) << "the German catalogue is installed beside the program";
  ASSERT_TRUE(languages->isEnabled());
  const int german = languages->findText(QStringLiteral("Deutsch"));
  ASSERT_GT(german, 0);

  languages->setCurrentIndex(german);
  auto captions = [&main] {
    QStringList list;
    for (QAction *top : main.MainMenu()->actions())
      list << top->text();
    return list;
  };
  EXPECT_TRUE(WaitFor([&] { return captions().value(0) == QStringLiteral("Verbindung"); }));
  EXPECT_EQ(captions(), (QStringList{QStringLiteral("Verbindung"), QStringLiteral("Laden/Speichern"),
                                     QStringLiteral("Arbeit"), QStringLiteral("Hilfe")}));
  EXPECT_EQ(main.Action("A_Connect")->text(), QStringLiteral("Verbinden"));
  EXPECT_EQ(languages->currentIndex(), german);

  languages->setCurrentIndex(0);
  EXPECT_TRUE(WaitFor([&] { return captions().value(0) == QStringLiteral("Connection"); }));
  dialog->close();
  TTranslator::SwitchTo(QStringLiteral("en_US"));
}
