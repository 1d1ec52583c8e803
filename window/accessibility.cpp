#include "accessibility.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QLabel>
#include <functional>
#include <utility>

#include "an_dh.h"

namespace Quillo {
namespace {

// The labels are known by their names, which they carry before anything can
// ask about them: a label announces its caption as it gets it, and Qt keeps
// the first interface it makes for a control.
const QString kEqualsName = QStringLiteral("AN_DH");
const QString kTwinName = QStringLiteral("AN");
const QString kLinkName = QStringLiteral("Label2");

AN_DH* WindowOf(QObject* object) {
  auto* widget = qobject_cast<QWidget*>(object);
  return widget != nullptr ? qobject_cast<AN_DH*>(widget->parentWidget()) : nullptr;
}

// A label that acts like a button: one action, which does what a click does
// on the next turn of the event loop. The action returns at once, so an
// error box that the click brings up never holds up the assistive technology
// that asked. While a modal box is open the window takes no clicks, and the
// action does nothing either.
class ClickableLabel : public QAccessibleWidget {
public:
  ClickableLabel(QLabel* label, QAccessible::Role role, QString action, QString description,
                 std::function<void(AN_DH&)> click)
      : QAccessibleWidget(label, role),
        action_(std::move(action)),
        description_(std::move(description)),
        click_(std::move(click)) {}

  QStringList actionNames() const override { return {action_}; }
  QString localizedActionDescription(const QString& name) const override {
    return name == action_ ? description_ : QAccessibleWidget::localizedActionDescription(name);
  }
  void doAction(const QString& name) override {
    AN_DH* window = WindowOf(widget());
    if (name != action_ || window == nullptr) return;
    QMetaObject::invokeMethod(
        window,
        [window, click = click_] {
          if (QApplication::activeModalWidget() == nullptr) click(*window);
        },
        Qt::QueuedConnection);
  }
  QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
  QString action_;
  QString description_;
  std::function<void(AN_DH&)> click_;
};

// The window: a frame whose children leave out the twin "=" label.
class Frame : public QAccessibleWidget {
public:
  explicit Frame(AN_DH* window) : QAccessibleWidget(window, QAccessible::Window) {}

  int childCount() const override { return QAccessibleWidget::childCount() - (TwinIndex() >= 0); }
  QAccessibleInterface* child(int index) const override {
    const int twin = TwinIndex();
    return QAccessibleWidget::child(twin >= 0 && index >= twin ? index + 1 : index);
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    const int index = QAccessibleWidget::indexOfChild(child);
    const int twin = TwinIndex();
    if (twin < 0 || index < twin) return index;
    return index == twin ? -1 : index - 1;
  }

private:
  // The twin's place among Qt's children of the window, or -1.
  int TwinIndex() const {
    auto* twin = widget()->findChild<QLabel*>(kTwinName, Qt::FindDirectChildrenOnly);
    if (twin == nullptr) return -1;
    return QAccessibleWidget::indexOfChild(QAccessible::queryAccessibleInterface(twin));
  }
};

// The twin, should anything reach it all the same: not shown.
class Hidden : public QAccessibleWidget {
public:
  explicit Hidden(QWidget* widget) : QAccessibleWidget(widget, QAccessible::NoRole) {}
  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.invisible = true;
    return state;
  }
  QStringList actionNames() const override { return {}; }
};

bool HostsTheWindow(const QWidget& widget) {
  return widget.findChild<AN_DH*>(QString(), Qt::FindDirectChildrenOnly) != nullptr;
}

QAccessibleInterface* Factory(const QString& /*key*/, QObject* object) {
  auto* widget = qobject_cast<QWidget*>(object);
  if (auto* window = qobject_cast<AN_DH*>(object)) return new Frame(window);
  // Below our own title bar (on Wayland) the window is hosted in a frameless
  // top-level frame, which is then the frame that assistive technology sees.
  if (widget != nullptr && widget->isWindow() && !widget->inherits("QDialog") &&
      HostsTheWindow(*widget)) {
    return new QAccessibleWidget(widget, QAccessible::Window);
  }
  auto* label = qobject_cast<QLabel*>(object);
  if (label == nullptr || WindowOf(label) == nullptr) return nullptr;
  const QString name = label->objectName();
  if (name == kEqualsName) {
    return new ClickableLabel(label, QAccessible::Button, QAccessibleActionInterface::pressAction(),
                              QStringLiteral("计算公式"), [](AN_DH& window) {
                                window.AN_DH_MouseDown();
                                window.AN_DH_MouseUp();
                              });
  }
  if (name == kLinkName) {
    return new ClickableLabel(label, QAccessible::Link, JumpAction(),
                              QStringLiteral("在浏览器中打开淘宝网"), [](AN_DH& window) {
                                window.Label2_MouseDown();
                                window.Label2_MouseUp();
                              });
  }
  if (name == kTwinName) return new Hidden(label);
  return nullptr;
}

}  // namespace

void InstallAccessibility() { QAccessible::installFactory(Factory); }

}  // namespace Quillo
