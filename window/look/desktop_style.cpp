#include "desktop_style.h"

#include <QApplication>
#include <QtGlobal>

namespace Quillo {
namespace {

constexpr char kOverride[] = "QT_STYLE_OVERRIDE";

}  // namespace

std::optional<QByteArray> SetDesktopStyleAside() {
  // Qt takes a style set before the application exists as the application's
  // own and asks the platform theme for none; Fusion is built in (no plug-in).
  if (QCoreApplication::instance() == nullptr) QApplication::setStyle(QStringLiteral("Fusion"));
  // An override, though, would still be loaded when the application is made.
  if (!qEnvironmentVariableIsSet(kOverride)) return std::nullopt;
  const QByteArray setAside = qgetenv(kOverride);
  qunsetenv(kOverride);
  return setAside;
}

void PutStyleOverrideBack(const std::optional<QByteArray>& setAside) {
  if (setAside) qputenv(kOverride, *setAside);
}

}  // namespace Quillo
