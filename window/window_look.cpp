#include "window_look.h"

#include <QApplication>
#include <QChildEvent>
#include <QFont>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>
#include <QWidget>

namespace Quillo {
namespace {

// Widgets do not hand their style on to the widgets inside them: each gets it.
void SetStyleThroughout(QWidget& top) {
  QStyle* style = FixedStyle();
  top.setStyle(style);
  for (QWidget* child : top.findChildren<QWidget*>()) child->setStyle(style);
}

// Menus open as windows of their own, which take neither palette nor font
// from the widget that opens them, and with the application's style: each
// gets the fixed look once it is polished, just before it shows.
class LookKeeper final : public QObject {
public:
  explicit LookKeeper(QObject* parent) : QObject(parent) {}

  void Watch(QWidget& top) {
    top.installEventFilter(this);
    for (QWidget* child : top.findChildren<QWidget*>()) child->installEventFilter(this);
  }

protected:
  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    if (event->type() == QEvent::ChildPolished) {
      auto* child = qobject_cast<QWidget*>(static_cast<QChildEvent*>(event)->child());
      if (child != nullptr && child->isWindow() && child->style() != FixedStyle()) {
        ApplyFixedLook(*child);
        Watch(*child);  // its submenus
      }
    }
    return false;
  }
};

}  // namespace

QStyle* FixedStyle() {
  static QStyle* const style = [] {
    // Built into QtWidgets: no plug-in is loaded.
    QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"));
    fusion->setParent(QCoreApplication::instance());
    return fusion;
  }();
  return style;
}

const QPalette& FixedPalette() {
  static const QPalette palette = [] {
    QPalette light = FixedStyle()->standardPalette();
    // Every role counts as set, so that no palette of the application's
    // (a dark desktop's) shows through.
    light.setResolveMask(~QPalette::ResolveMask(0));
    return light;
  }();
  return palette;
}

const QFont& FixedFont() {
  static const QFont font = [] {
    QFont sans(QStringLiteral("Sans Serif"), 9);
    sans.setStyleHint(QFont::SansSerif);
    sans.setResolveMask(QFont::AllPropertiesResolved);  // nothing of the desktop's font
    return sans;
  }();
  return font;
}

void ApplyFixedLook(QWidget& top) {
  SetStyleThroughout(top);
  top.setPalette(FixedPalette());
  top.setFont(FixedFont());
}

void KeepFixedLook(QWidget& window) {
  ApplyFixedLook(window);
  (new LookKeeper(&window))->Watch(window);
}

}  // namespace Quillo
