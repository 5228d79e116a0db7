// The program Zolt: a translator, the application object and the main window.

#include "mainwindow.h"
#include "prompts.h"
#include "translator.h"

#include <QApplication>
#include <exception>

int main(int argc, char **argv)
{
  QApplication app(argc, argv);
  TTranslator::SwitchTo(QStringLiteral("en_US"));
  QApplication::setApplicationName(QStringLiteral("Zolt"));
  QApplication::setApplicationDisplayName(QStringLiteral("Zolt"));
  try {
    TMain window(QApplication::applicationDirPath(), QApplication::arguments().mid(1));
    window.show();
    return QApplication::exec();
  } catch (const std::exception &e) {
    TPrompts::Instance().Inform(nullptr, QStringLiteral("Zolt"), QString::fromLocal8Bit(e.what()));
  } catch (...) {
    TPrompts::Instance().Inform(nullptr, QStringLiteral("Zolt"), QString());
  }
  return 1;
}
