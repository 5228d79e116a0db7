// The parameter editor as the main window uses it: one window, its values saved to files and
// shown again after a load.

#include "calibration.h"
#include "calibrationfiles.h"
#include "mainwindow.h"
#include "paramszolt.h"
#include "scriptedline.h"
#include "scriptedprompts.h"
#include "tempdir.h"

#include <QApplication>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

TParamsZolt *OpenEditor()
{
  for (QWidget *w : QApplication::topLevelWidgets())
    if (auto *editor = qobject_cast<TParamsZolt *>(w); editor && editor->isVisible())
      return editor;
  return nullptr;
}

int EditorCount()
{
  int n = 0;
  for (QWidget *w : QApplication::topLevelWidgets())
    n += qobject_cast<TParamsZolt *>(w) != nullptr;
  return n;
}

}   // namespace

using MainWindowParamsTest = TTempDirTest;

TEST_F(MainWindowParamsTest, TheEditorOpensOnceAndItsValuesGoIntoTheFileAndComeBackFromIt)
{
  TScriptedPrompts prompts;
  TMain main(TempDir.path(), {}, nullptr, new TScriptedLine);
  main.show();
  main.A_ParameretsExecute();
  main.A_ParameretsExecute();
  ASSERT_EQ(EditorCount(), 1);
  TParamsZolt *editor = OpenEditor();
  ASSERT_NE(editor, nullptr);
  auto *oktan = editor->findChild<QDoubleSpinBox *>(QStringLiteral("V_Oktan"));
  ASSERT_NE(oktan, nullptr);
  oktan->setValue(5.0);

  // Saving takes what the editor shows, without closing it.
  const QString file = Path(QStringLiteral("car.zf2"));
  prompts.FileAnswers = {file};
  main.A_SaveFileExecute();
  QByteArray bytes;
  QString error;
  ASSERT_TRUE(ReadFileBytes(file, bytes, error));
  TAllCalibration model;
  SParams params{};
  SParamsExt paramsExt{};
  SLoadSelection all;
  all.Parameters = true;
  ASSERT_TRUE(ReadZf2(bytes, model, reinterpret_cast<std::uint8_t *>(&params),
                      reinterpret_cast<std::uint8_t *>(&paramsExt), all)
                  .IsOk());
  EXPECT_EQ(params.Oktan, 10);

  // A load with "Parameters" shows the loaded blocks, so closing the editor keeps them.
  SParams other = main.Parameters();
  other.Oktan = -6;
  const QByteArray otherFile = WriteZf2(model, reinterpret_cast<const std::uint8_t *>(&other),
                                        reinterpret_cast<const std::uint8_t *>(&main.ExtraParameters()));
  const QString otherPath = Path(QStringLiteral("other.zf2"));
  ASSERT_TRUE(WriteFileBytes(otherPath, otherFile, error));
  prompts.FileAnswers = {otherPath};
  QTimer::singleShot(0, [] {
    for (QWidget *w : QApplication::topLevelWidgets())
      if (w->objectName() == QLatin1String("TLoadUOZ"))
        if (auto *button = w->findChild<QPushButton *>(QStringLiteral("LoadUOZB")))
          button->click();
  });
  main.A_LoadFileExecute();
  EXPECT_DOUBLE_EQ(oktan->value(), -3.0);
  editor->close();
  EXPECT_EQ(main.Parameters().Oktan, -6);
}
