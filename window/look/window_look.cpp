#include "window_look.h"

#include <QApplication>
#include <QChildEvent>
#include <QFont>
#include <QIcon>
#include <QMenu>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>
#include <QWidget>

#include "font_map.h"

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
        // Qt takes the menu items' icons from the desktop's icon theme: a
        // plain desktop has none, so the window's menus show none anywhere.
        if (auto* menu = qobject_cast<QMenu*>(child)) {
          for (QAction* action : menu->actions()) action->setIcon(QIcon());
        }
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

// Qt's own light colours, as a desktop without a theme of its own shows them.
// (A style's standard palette is no help: Fusion's is the platform theme's.)
const QPalette& FixedPalette() {
  static const QPalette palette = [] {
    struct Role {
      QPalette::ColorRole role;
      QRgb normal, disabled;  // normal: the active and the inactive window alike
    };
    static constexpr Role kRoles[] = {
        {QPalette::WindowText, 0xff000000, 0xffbebebe},
        {QPalette::Button, 0xffefefef, 0xffefefef},
        {QPalette::Light, 0xffffffff, 0xffffffff},
        {QPalette::Midlight, 0xffcacaca, 0xffcacaca},
        {QPalette::Dark, 0xff9f9f9f, 0xffbebebe},
        {QPalette::Mid, 0xffb8b8b8, 0xffb8b8b8},
        {QPalette::Text, 0xff000000, 0xffbebebe},
        {QPalette::BrightText, 0xffffffff, 0xffffffff},
        {QPalette::ButtonText, 0xff000000, 0xffbebebe},
        {QPalette::Base, 0xffffffff, 0xffefefef},
        {QPalette::Window, 0xffefefef, 0xffefefef},
        {QPalette::Shadow, 0xff767676, 0xffb1b1b1},
        {QPalette::Highlight, 0xff308cc6, 0xff919191},
        {QPalette::HighlightedText, 0xffffffff, 0xffffffff},
        {QPalette::Link, 0xff0000ff, 0xff0000ff},
        {QPalette::LinkVisited, 0xffff00ff, 0xffff00ff},
        {QPalette::AlternateBase, 0xfff7f7f7, 0xfff7f7f7},
        {QPalette::ToolTipBase, 0xffffffdc, 0xffffffdc},
        {QPalette::ToolTipText, 0xff000000, 0xff000000},
        {QPalette::PlaceholderText, 0x80000000, 0x80000000},
    };
    QPalette light;
    for (const Role& r : kRoles) {
      light.setColor(QPalette::Active, r.role, QColor::fromRgba(r.normal));
      light.setColor(QPalette::Inactive, r.role, QColor::fromRgba(r.normal));
      light.setColor(QPalette::Disabled, r.role, QColor::fromRgba(r.disabled));
    }
    // Every role counts as set, so that no palette of the application's
    // (a dark desktop's) shows through.
    light.setResolveMask(~QPalette::ResolveMask(0));
    return light;
  }();
  return palette;
}

// Made afresh on each call: a font must not outlive the application.
// Faces by name, not the generic "Sans Serif", which fontconfig resolves by
// the locale's language (under zh_CN to AR PL UMing, whose Latin letters are
// thin and fixed-width): DejaVu Sans, which "Sans Serif" is in the C locale,
// and for Chinese the Song-style faces, the built-in one first, as there.
QFont FixedFont() {
  QFont sans;
  sans.setFamilies(LinuxFamilies(QStringLiteral("DejaVu Sans")));
  sans.setStyleHint(QFont::SansSerif);
  sans.setPointSize(9);
  sans.setResolveMask(QFont::AllPropertiesResolved);  // nothing of the desktop's font
  return sans;
}

void ApplyFixedStyleAndPalette(QWidget& top) {
  SetStyleThroughout(top);
  top.setPalette(FixedPalette());
}

void ApplyFixedLook(QWidget& top) {
  ApplyFixedStyleAndPalette(top);
  top.setFont(FixedFont());
}

void KeepFixedLook(QWidget& window) {
  ApplyFixedLook(window);
  (new LookKeeper(&window))->Watch(window);
}

}  // namespace Quillo
