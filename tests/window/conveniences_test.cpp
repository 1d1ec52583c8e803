// The function list, the result copy and the shop link.
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QtTest>

#include "twips.h"
#include "window_suite.h"

using QuilloTest::Fixture;
using QuilloTest::Selection;
using QuilloTest::Type;

namespace {

enum How { DoubleClick, Return, KeypadEnter };

// Puts the formula in the box with the selection from `anchor` to `position`.
void SetFormula(Fixture& f, const QString& formula, int anchor, int position) {
  f.ui.TB->setPlainText(formula);
  QTextCursor cursor = f.ui.TB->textCursor();
  cursor.setPosition(anchor);
  cursor.setPosition(position, QTextCursor::KeepAnchor);
  f.ui.TB->setTextCursor(cursor);
}

// Picks the list entry the way a user does.
void Choose(Fixture& f, int row, How how) {
  QListWidget* list = f.ui.FunList;
  const QPoint centre = list->visualItemRect(list->item(row)).center();
  if (how == DoubleClick) {
    // A double-click on the viewport alone does not reach itemDoubleClicked
    // in Qt 6.4: the first click comes separately.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
  } else {
    list->setFocus();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
    QTest::keyClick(list, how == Return ? Qt::Key_Return : Qt::Key_Enter,
                    how == Return ? Qt::NoModifier : Qt::KeypadModifier);
  }
}

}  // namespace

class ConveniencesTest : public QuilloTest::WindowSuite {
  Q_OBJECT

private slots:
  // The call goes in at the start of the selection, the selection stays after
  // it, and the caret ends at the very end of the formula.
  void insertFunction_data() {
    QuilloTest::Table<QString, int, int, int, int, QString>(
        {"formula", "anchor", "position", "row", "how", "expected"},
        {{"caret at the end", "1+", 2, 2, 10, DoubleClick, "1+Sin()"},
         {"caret inside", "2*3", 2, 2, 7, DoubleClick, "2*Power()3"},
         {"selection stays after the call", "1+23", 2, 4, 0, DoubleClick, "1+Abs()23"},
         {"selection made backwards", "1+23", 4, 2, 0, DoubleClick, "1+Abs()23"},
         {"empty formula", "", 0, 0, 6, DoubleClick, "Pi()"},
         {"blank before the colon", "", 0, 0, 5, DoubleClick, "Mod()"},
         {"square root, case kept", "9", 0, 0, 11, DoubleClick, "Sqrt()9"},
         {"Enter on the list", "x", 0, 0, 1, Return, "Acos()x"},
         {"keypad Enter, after full-width text", "（1＋", 3, 3, 9, KeypadEnter, "（1＋Round()"}});
  }
  void insertFunction() {
    const auto [formula, anchor, position, row, how, expected] =
        QuilloTest::Fetch<QString, int, int, int, int, QString>(
            {"formula", "anchor", "position", "row", "how", "expected"});
    SetFormula(*f, formula, anchor, position);
    Choose(*f, row, How(how));
    QCOMPARE(f->ui.TB->toPlainText(), expected);
    QCOMPARE(QApplication::focusWidget(), f->ui.TB);
    QCOMPARE(Selection(f->ui.TB), qMakePair(int(expected.size()), 0));
  }

  // The double-click handler wants a selected entry; the list takes the focus
  // by the mouse here, so no entry is current either.
  void nothingWithoutASelectedEntry() {
    SetFormula(*f, QStringLiteral("1+"), 2, 2);
    f->ui.FunList->setFocus(Qt::MouseFocusReason);
    QVERIFY(f->ui.FunList->currentItem() == nullptr);
    QTest::keyClick(f->ui.FunList, Qt::Key_Return);
    f->window.FunList_DblClick();
    QCOMPARE(f->ui.TB->toPlainText(), QStringLiteral("1+"));
  }

  // Tab from the formula passes the history and lands in the list, where the
  // first entry is current but not selected: Enter inserts that entry.
  void enterAfterTabInsertsTheCurrentEntry_data() {
    QuilloTest::Table<int, QString>({"downs", "expected"}, {{"first entry", 0, "1+Abs()"},
                                                            {"moved with the arrow keys", 2, "1+Asin()"}});
  }
  void enterAfterTabInsertsTheCurrentEntry() {
    const auto [downs, expected] = QuilloTest::Fetch<int, QString>({"downs", "expected"});
    SetFormula(*f, QStringLiteral("1+"), 2, 2);
    QTest::keyClick(f->ui.TB, Qt::Key_Tab);
    QTest::keyClick(f->ui.TJ, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), f->ui.FunList);
    QVERIFY(f->ui.FunList->selectedItems().isEmpty());
    for (int i = 0; i < downs; ++i) QTest::keyClick(f->ui.FunList, Qt::Key_Down);
    QTest::keyClick(f->ui.FunList, Qt::Key_Return);
    QCOMPARE(f->ui.TB->toPlainText(), expected);
    QCOMPARE(QApplication::focusWidget(), f->ui.TB);
  }

  // A double-click on the result copies it without its blanks.
  void copyResult_data() {
    QuilloTest::Table<QString, QString>({"formula", "copied"},  // formula empty: nothing evaluated yet
                                        {{"empty result box", "", ""}, {"one half", "1/2", "0.5"},
                                         {"minus one half", "-1/2", "-.5"},
                                         {"the worked example", "2*sin(30)+(1+2)^2", "7.02393675181428"},
                                         {"whole number", "24/2", "12"}});
  }
  void copyResult() {
    const auto [formula, copied] = QuilloTest::Fetch<QString, QString>({"formula", "copied"});
    if (!formula.isEmpty()) {
      Type(f->ui.TB, formula);
      QTest::keyClick(f->ui.TB, Qt::Key_Return);
    }
    const QString shown = f->ui.JG->toPlainText();
    QTest::mouseDClick(f->ui.JG->viewport(), Qt::LeftButton, {}, QPoint(30, 10));
    QCOMPARE(f->platform.clipboard, QStringList{copied});
    QCOMPARE(f->ui.JG->toPlainText(), shown);
  }

  // The link drops 40 twips while pressed; the release, with any button and
  // wherever the pointer is, puts it back and opens the shop page once.
  void shopLink_data() {
    QuilloTest::Table<int, QPoint>({"button", "releaseAt"},
                                   {{"left", Qt::LeftButton, QPoint(10, 5)},
                                    {"right", Qt::RightButton, QPoint(10, 5)},
                                    {"released off the link", Qt::LeftButton, QPoint(-200, -100)}});
  }
  void shopLink() {
    const auto [button, releaseAt] = QuilloTest::Fetch<int, QPoint>({"button", "releaseAt"});
    QLabel* link = f->ui.Label2;
    const int left = link->x();
    QCOMPARE(link->y(), Quillo::Px(3720));

    QTest::mousePress(link, Qt::MouseButton(button), {}, QPoint(10, 5));
    QCOMPARE(link->pos(), QPoint(left, Quillo::Px(3760)));
    QVERIFY(f->platform.opened.isEmpty());

    QTest::mouseRelease(link, Qt::MouseButton(button), {}, releaseAt);
    QCOMPARE(link->pos(), QPoint(left, Quillo::Px(3720)));
    QCOMPARE(f->platform.opened, QList<QUrl>{QUrl(QStringLiteral("https://www.taobao.com/"))});
    QVERIFY(f->platform.messages.isEmpty());
  }
  void shopLinkWithoutBrowser() {
    f->platform.browser = false;
    QTest::mouseClick(f->ui.Label2, Qt::LeftButton, {}, QPoint(10, 5));
    QCOMPARE(f->platform.messages.size(), 1);
    QCOMPARE(f->platform.messages[0].prompt, QStringLiteral("无法打开网页：https://www.taobao.com/"));
    QCOMPARE(f->platform.messages[0].title, QStringLiteral("错误提示"));
  }
};

QTEST_MAIN(ConveniencesTest)
#include "conveniences_test.moc"
