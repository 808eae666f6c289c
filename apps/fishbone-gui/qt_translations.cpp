#include "apps/fishbone-gui/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace fishbone_gui {

bool InstallQtChineseTexts(QCoreApplication& application) {
  auto* translator = new QTranslator(&application);
  if (!translator->load(QStringLiteral("qtbase_zh_CN"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  QCoreApplication::installTranslator(translator);
  return true;
}

}  // namespace fishbone_gui
