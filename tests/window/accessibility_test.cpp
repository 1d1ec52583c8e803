// What assistive technology finds in the window, asked of Qt's accessibility
// layer the way the desktop's bridge asks it: roles, the controls it lists,
// and the actions of "=" and the shop link, which click on the next turn of
// the event loop.
#include <QAccessible>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QtTest>

#include "accessibility.h"
#include "twips.h"
#include "window_suite.h"

using QuilloTest::HistoryEntry;
using QuilloTest::Settle;

namespace {

QAccessibleInterface* Interface(QObject* object) {
  return QAccessible::queryAccessibleInterface(object);
}

// An assistive technology that listens while the window is built: the
// desktop's bridge asks for the interface of every control that announces a
// change, and Qt keeps the first one it makes.
void AskAboutEveryChange(QAccessibleEvent* event) { event->accessibleInterface(); }

}  // namespace

class AccessibilityTest : public QuilloTest::WindowSuite {
  Q_OBJECT

private slots:
  void initTestCase() {
    QAccessible::installUpdateHandler(AskAboutEveryChange);
    QAccessible::setActive(true);
  }

  void roles_data() {
    const QStringList none;
    const QStringList focus{"SetFocus"};
    QuilloTest::Table<QString, int, QStringList>(
        {"name", "role", "actions"},
        {{"TB", "TB", QAccessible::EditableText, focus},
         {"JG", "JG", QAccessible::EditableText, focus},
         {"TJ", "TJ", QAccessible::EditableText, focus},
         {"AN_DH", "AN_DH", QAccessible::Button, {QAccessibleActionInterface::pressAction()}},
         {"Label1", "Label1", QAccessible::StaticText, none},
         {"FunList", "FunList", QAccessible::List, none},
         {"Label2", "Label2", QAccessible::Link, {Quillo::JumpAction()}}});
  }
  void roles() {
    const auto [name, role, actions] =
        QuilloTest::Fetch<QString, int, QStringList>({"name", "role", "actions"});
    auto* control = f->window.findChild<QWidget*>(name);
    QAccessibleInterface* iface = Interface(control);
    QVERIFY(iface != nullptr);
    QCOMPARE(int(iface->role()), role);
    QCOMPARE(iface->text(QAccessible::Name), control->accessibleName());
    QVERIFY(!iface->state().invisible);
    QAccessibleActionInterface* action = iface->actionInterface();
    QCOMPARE(action != nullptr ? action->actionNames() : QStringList(), actions);
    // Listed by the window, at the place it gives.
    QAccessibleInterface* frame = iface->parent();
    QCOMPARE(frame->object(), &f->window);
    QCOMPARE(frame->child(frame->indexOfChild(iface)), iface);
  }

  void windowIsAFrameWithoutTheTwin() {
    QAccessibleInterface* frame = Interface(&f->window);
    QCOMPARE(frame->role(), QAccessible::Window);
    QCOMPARE(frame->text(QAccessible::Name), f->window.windowTitle());
    QList<QObject*> listed;
    for (int i = 0; i < frame->childCount(); ++i) {
      QAccessibleInterface* child = frame->child(i);
      QCOMPARE(frame->indexOfChild(child), i);
      listed.append(child->object());
    }
    const QList<QObject*> expected = {f->ui.TB,     f->ui.JG,      f->ui.TJ,     f->ui.AN_DH,
                                      f->ui.Label1, f->ui.Label2, f->ui.FunList};
    QCOMPARE(listed.size(), expected.size());
    for (QObject* control : expected) QVERIFY2(listed.contains(control), qPrintable(control->objectName()));
    QAccessibleInterface* twin = Interface(f->ui.AN);
    QCOMPARE(frame->indexOfChild(twin), -1);
    QVERIFY(twin->state().invisible);
    // A pointer on "=" finds the button, not the twin behind it.
    const QPoint centre = f->ui.AN_DH->mapToGlobal(f->ui.AN_DH->rect().center());
    QCOMPARE(frame->childAt(centre.x(), centre.y())->object(), f->ui.AN_DH);
  }

  // Below our own title bar the window is hosted in a frameless top-level
  // widget, which must then be the frame; a box with the window inside is not.
  void hostOfTheWindowIsAFrame() {
    QWidget host;
    f->window.setParent(&host, Qt::Widget);
    QCOMPARE(Interface(&host)->role(), QAccessible::Window);
    QDialog box;
    QCOMPARE(Interface(&box)->role(), QAccessible::Dialog);
    QWidget plain;
    QVERIFY(Interface(&plain)->role() != QAccessible::Window);
    f->window.setParent(nullptr, Qt::Window);
  }

  void historyHasADescription() {
    QVERIFY(Interface(f->ui.TJ)->text(QAccessible::Description)
                .contains(QRegularExpression(QStringLiteral("\\p{Han}"))));
  }

  // The labels take no focus: the focus order stays formula, history,
  // function list, result.
  void labelsTakeNoFocus() {
    for (QLabel* label : {f->ui.AN_DH, f->ui.Label2}) {
      QCOMPARE(label->focusPolicy(), Qt::NoFocus);
      QVERIFY(!Interface(label)->state().focusable);
    }
  }

  // Pressing "=" evaluates as a click does, but only once the action has
  // returned: an error box must not hold up the assistive technology.
  void pressEquals_data() {
    QuilloTest::Table<QString, QString>({"formula", "result"},  // result empty: rejected
                                        {{"sum", "1+2", " 3"}, {"half", "1/2", " 0.5"},
                                         {"bad", "1+", ""}, {"empty", "", ""}});
  }
  void pressEquals() {
    const auto [formula, result] = QuilloTest::Fetch<QString, QString>({"formula", "result"});
    f->ui.TB->setPlainText(formula);
    f->ui.FunList->setFocus();  // the press brings the focus back to the formula
    Interface(f->ui.AN_DH)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(f->ui.JG->toPlainText(), QString());  // nothing yet
    QVERIFY(f->platform.messages.isEmpty());
    QTRY_COMPARE(QApplication::focusWidget(), f->ui.TB);
    QCOMPARE(f->ui.JG->toPlainText(), result);
    QCOMPARE(f->ui.TJ->toPlainText(), result.isEmpty() ? QString() : HistoryEntry(result, formula));
    QCOMPARE(f->platform.messages.size(), result.isEmpty() ? 1 : 0);
    QCOMPARE(QuilloTest::Selection(f->ui.TB), qMakePair(0, int(formula.size())));
    // The button is back at rest, as after a click.
    QVERIFY(f->ui.AN_DH->font().bold());
    QCOMPARE(f->ui.AN_DH->geometry(), f->ui.AN->geometry());
  }

  void jumpOpensTheShop() {
    Interface(f->ui.Label2)->actionInterface()->doAction(Quillo::JumpAction());
    QVERIFY(f->platform.opened.isEmpty());
    QTRY_COMPARE(f->platform.opened, QList<QUrl>{QUrl(Quillo::AN_DH::ShopAddress())});
    QCOMPARE(f->ui.Label2->y(), Quillo::Px(Quillo::kLabel2Top));
  }

  // Actions a control does not have do nothing.
  void otherActionsDoNothing() {
    Ask(Quillo::JumpAction(), QAccessibleActionInterface::pressAction());
    Interface(f->ui.AN)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(Done(), QString());
  }

  // While a modal box is open the window takes no click, and no action
  // either, not even one asked for just before the box opened.
  void noActionBehindAModalBox() {
    Ask(QAccessibleActionInterface::pressAction(), Quillo::JumpAction());
    QDialog box(&f->window);
    box.setModal(true);
    box.show();
    Settle();
    box.close();
    QCOMPARE(Done(), QString());
  }

  // A press still waiting when the window closes is dropped.
  void pressOutlivedByNothing() {
    Ask(QAccessibleActionInterface::pressAction(), Quillo::JumpAction());
    f.reset();
    Settle();
  }

private:
  // "1+2" in the formula box, then an action asked of "=" and one of the link.
  void Ask(const QString& equals, const QString& link) {
    f->ui.TB->setPlainText(QStringLiteral("1+2"));
    Interface(f->ui.AN_DH)->actionInterface()->doAction(equals);
    Interface(f->ui.Label2)->actionInterface()->doAction(link);
  }

  // What the window did, once settled: the result shown and the pages opened.
  QString Done() {
    Settle();
    QStringList done;
    if (!f->ui.JG->toPlainText().isEmpty()) done << QStringLiteral("result ") + f->ui.JG->toPlainText();
    for (const QUrl& url : f->platform.opened) done << QStringLiteral("opened ") + url.toString();
    return done.join(u", ");
  }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
