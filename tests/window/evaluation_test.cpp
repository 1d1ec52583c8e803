// Enter and "=": result box, history, failure path, caret and selection.
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTextDocument>
#include <QtTest>

#include "window_suite.h"

using QuilloTest::Fixture;
using QuilloTest::HistoryEntry;
using QuilloTest::Selection;
using QuilloTest::Table;
using QuilloTest::Type;

namespace {

const QString kHint = QStringLiteral("\n\n        请输入或修改……");

// Types the formula into the formula box and presses Enter there.
void EnterFormula(Fixture& f, const QString& formula) {
  f.ui.TB->clear();
  Type(f.ui.TB, formula);
  QTest::keyClick(f.ui.TB, Qt::Key_Return);
}

}  // namespace

class EvaluationTest : public QuilloTest::WindowSuite {
  Q_OBJECT

private slots:
  void resultAndHistory_data() {
    Table<QString, QString>({"formula", "display"},
                            {{"sum", "1+2", " 3"},
                             {"the worked example", "2*sin(30)+(1+2)^2", " 7.02393675181428"},
                             {"one half gets its zero", "1/2", " 0.5"},
                             {"minus one half does not", "-1/2", " -.5"},
                             {"zero", "1-1", " 0"},
                             {"one is not below one", "3-2", " 1"},
                             {"twelve", "24/2", " 12"},
                             {"leading zeros go", "007", " 7"},
                             {"exponent form below one", "1/50000", " 02E-05"},
                             {"15 significant digits", "1/3*3", " 0.999999999999999"},
                             {"full-width, kept as typed", "（1＋2）＊3", " 9"},
                             {"blanks kept in the history", " 1 + 2 ", " 3"}});
  }
  void resultAndHistory() {
    const auto [formula, display] = QuilloTest::Fetch<QString, QString>({"formula", "display"});
    EnterFormula(*f, formula);
    QCOMPARE(f->ui.JG->toPlainText(), display);
    QCOMPARE(f->ui.TJ->toPlainText(), HistoryEntry(display, formula));
    QCOMPARE(f->ui.TB->toPlainText(), formula);  // no line break from Enter
    QCOMPARE(f->platform.messages.size(), 0);
    QCOMPARE(QApplication::focusWidget(), f->ui.TB);
    QCOMPARE(Selection(f->ui.TB), qMakePair(0, int(formula.size())));
  }

  // A pasted line break stays in the formula box; the history line shows it
  // as one blank, so that the entry is two lines.
  void lineBreakInFormula_data() {
    Table<QString>({"formula"}, {{"LF", "1+2\n3"},
                                 {"CR LF", "1+2\r\n3"},
                                 {"paragraph separator", QStringLiteral("1+2\u20293")}});
  }
  void lineBreakInFormula() {
    QFETCH(QString, formula);
    f->ui.TB->setPlainText(formula);
    QTest::keyClick(f->ui.TB, Qt::Key_Return);
    QCOMPARE(f->ui.TB->toPlainText(), QStringLiteral("1+2\n3"));
    QCOMPARE(f->ui.TJ->toPlainText(),
             QStringLiteral("－－－－－－－－－－－－－－－－－\n 24 = 1+2 3\n"));
  }

  void everyEnterKeyEvaluates_data() {
    Table<int, int>({"key", "modifiers"}, {{"Return", Qt::Key_Return, Qt::NoModifier},
                                           {"keypad Enter", Qt::Key_Enter, Qt::KeypadModifier},
                                           {"Shift+Return", Qt::Key_Return, Qt::ShiftModifier},
                                           {"Ctrl+Return", Qt::Key_Return, Qt::ControlModifier}});
  }
  void everyEnterKeyEvaluates() {
    const auto [key, modifiers] = QuilloTest::Fetch<int, int>({"key", "modifiers"});
    Type(f->ui.TB, QStringLiteral("6*7"));
    QTest::keyClick(f->ui.TB, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(f->ui.TB->toPlainText(), QStringLiteral("6*7"));
    QCOMPARE(f->ui.JG->toPlainText(), QStringLiteral(" 42"));
  }

  void otherKeysOnlyType_data() {
    Table<QString, int, QString>({"typed", "key", "formula"},
                                 {{"digit", "1+", Qt::Key_2, "1+2"},
                                  {"operator", "1", Qt::Key_Plus, "1+"},
                                  {"Backspace", "1+2", Qt::Key_Backspace, "1+"},
                                  {"Tab leaves the box", "1+2", Qt::Key_Tab, "1+2"}});
  }
  void otherKeysOnlyType() {
    const auto [typed, key, formula] = QuilloTest::Fetch<QString, int, QString>({"typed", "key", "formula"});
    Type(f->ui.TB, typed);
    QTest::keyClick(f->ui.TB, Qt::Key(key));
    QCOMPARE(f->ui.TB->toPlainText(), formula);
    QCOMPARE(f->ui.JG->toPlainText(), QString());
    QCOMPARE(f->ui.TJ->toPlainText(), QString());
  }

  void newestEntryOnTop() {
    EnterFormula(*f, QStringLiteral("1+2"));
    EnterFormula(*f, QStringLiteral("2*3"));
    EnterFormula(*f, QStringLiteral("1/4"));
    QCOMPARE(f->ui.TJ->toPlainText(), HistoryEntry(" 0.25", "1/4") + HistoryEntry(" 6", "2*3") +
                                          HistoryEntry(" 3", "1+2"));
  }

  void typingReplacesTheFormulaAfterAnEvaluation() {
    EnterFormula(*f, QStringLiteral("1+2"));
    Type(f->ui.TB, QStringLiteral("5"));
    QCOMPARE(f->ui.TB->toPlainText(), QStringLiteral("5"));
  }

  // A rejected formula: the box (if any) has the engine's message with the
  // toolkit's line breaks; result and history stay as they were.
  void failureLeavesResultAndHistory_data() {
    const char* wrong = ">> 公式有误或为空";
    // The engine reports a formula that ends in no number ("abc") with its
    // box; so it does a number straight after ")" or after a call.
    Table<QString, QString>({"formula", "message"},  // message empty: no box at all
                            {{"empty", "", wrong},
                             {"ends in an operator", "1+", wrong},
                             {"missing )", "((1+2)", ">>表达式缺右括号：)"},
                             {"missing (", "(1+2))", ">>表达式缺左括号：("},
                             {"unknown function", "foo(1)", ">> 暂不支持函数：foo"},
                             {"division by zero", "1/0", wrong},
                             {"square root of -1", "sqrt(-1)", wrong},
                             {"a word", "abc", wrong},
                             {"Chinese text", "一加二", wrong},
                             {"number after )", "(1+2)3", wrong},
                             {"decimal after )", "(2)3.5", wrong},
                             {"number after Pi()", "Pi()2", wrong},
                             {"exponent form after sin()", "sin()3.017E-0", wrong},
                             {"number after Sin()", "Sin()30", wrong}});
  }
  void failureLeavesResultAndHistory() {
    const auto [formula, message] = QuilloTest::Fetch<QString, QString>({"formula", "message"});
    EnterFormula(*f, QStringLiteral("1+2"));
    const QString history = f->ui.TJ->toPlainText();
    QSignalSpy historyChanges(f->ui.TJ->document(), &QTextDocument::contentsChange);

    EnterFormula(*f, formula);
    if (message.isEmpty()) {
      QCOMPARE(f->platform.messages.size(), 0);
    } else {
      QCOMPARE(f->platform.messages.size(), 1);
      QCOMPARE(f->platform.messages[0].prompt, message + kHint);
      QCOMPARE(f->platform.messages[0].style, 0);
      QCOMPARE(f->platform.messages[0].title, QStringLiteral("错误提示"));
    }
    QCOMPARE(f->ui.JG->toPlainText(), QStringLiteral(" 3"));
    QCOMPARE(f->ui.TJ->toPlainText(), history);
    QCOMPARE(historyChanges.size(), 0);
    QCOMPARE(f->ui.TB->toPlainText(), formula);
    QCOMPARE(QApplication::focusWidget(), f->ui.TB);
    QCOMPARE(Selection(f->ui.TB), qMakePair(0, int(formula.size())));
  }

  // The entry is one insertion at the start of the history, whatever its
  // length: the old text is neither removed nor written again, and the box
  // shows its top.
  void historyGrowsByOneInsertionAtTheTop_data() {
    Table<int>({"oldEntries"}, {{"empty history", 0}, {"long history", 5000}});
  }
  void historyGrowsByOneInsertionAtTheTop() {
    QFETCH(int, oldEntries);
    QString old;
    for (int i = 0; i < oldEntries; ++i) old += HistoryEntry(" 1", "1");
    f->ui.TJ->setPlainText(old);
    f->ui.TJ->verticalScrollBar()->setValue(f->ui.TJ->verticalScrollBar()->maximum());
    QSignalSpy changes(f->ui.TJ->document(), &QTextDocument::contentsChange);

    EnterFormula(*f, QStringLiteral("1+2"));
    const QString entry = HistoryEntry(" 3", "1+2");
    QCOMPARE(changes.size(), 1);
    QCOMPARE(changes[0], (QList<QVariant>{0, 0, int(entry.size())}));
    QCOMPARE(f->ui.TJ->toPlainText(), entry + old);
    QCOMPARE(f->ui.TJ->verticalScrollBar()->value(), 0);
  }

  // "=" with any button: the press shows the regular-weight "=" at its
  // smaller size in the same place; the release, wherever the pointer is,
  // puts the label back bold on its resting frame and evaluates.
  void equalsPressAndRelease_data() {
    const QPoint inside(20, 20);
    const QPoint outside(-300, 200);
    Table<int, QPoint, QString, QString>({"button", "releaseAt", "formula", "display"},
                                         {{"left", Qt::LeftButton, inside, "1+2", " 3"},
                                          {"right, released outside", Qt::RightButton, outside, "1+2", " 3"},
                                          {"middle", Qt::MiddleButton, inside, "2^10", " 1024"},
                                          {"failing formula", Qt::LeftButton, inside, "1+", ""}});
  }
  void equalsPressAndRelease() {
    const auto [button, releaseAt, formula, display] =
        QuilloTest::Fetch<int, QPoint, QString, QString>({"button", "releaseAt", "formula", "display"});
    QLabel* equals = f->ui.AN_DH;
    const QRect rest = f->ui.AN->geometry();
    QCOMPARE(equals->geometry(), rest);
    Type(f->ui.TB, formula);
    f->ui.FunList->setFocus();  // the focus may be anywhere

    QTest::mousePress(equals, Qt::MouseButton(button), {}, QPoint(20, 20));
    QVERIFY(!equals->font().bold());
    QVERIFY(f->ui.AN->font().bold());
    QCOMPARE(equals->pos(), rest.topLeft());
    // Sized to its regular-weight caption, narrower than the bold one.
    const int border = 2 * equals->frameWidth();
    QCOMPARE(equals->size(),
             QSize(QFontMetrics(equals->font()).horizontalAdvance(QStringLiteral("  =  ")) + border,
                   QFontMetrics(equals->font()).height() + border));
    QVERIFY(equals->width() < rest.width());
    QCOMPARE(f->ui.JG->toPlainText(), QString());

    QTest::mouseRelease(equals, Qt::MouseButton(button), {}, releaseAt);
    QVERIFY(equals->font().bold());
    QCOMPARE(equals->geometry(), rest);
    QCOMPARE(f->ui.AN->geometry(), rest);
    QCOMPARE(f->ui.JG->toPlainText(), display);
    QCOMPARE(f->platform.messages.size(), display.isEmpty() ? 1 : 0);
    QCOMPARE(QApplication::focusWidget(), f->ui.TB);
    QCOMPARE(Selection(f->ui.TB), qMakePair(0, int(formula.size())));
  }
};

QTEST_MAIN(EvaluationTest)
#include "evaluation_test.moc"
