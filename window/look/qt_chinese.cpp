#include "qt_chinese.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace Quillo {

bool UseQtChineseTexts() {
  static const bool installed = [] {
    // The file is mapped into memory, not read: loading costs next to nothing.
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QStringLiteral("qtbase_zh_CN"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
      delete translator;
      return false;
    }
    return QCoreApplication::installTranslator(translator);
  }();
  return installed;
}

}  // namespace Quillo
