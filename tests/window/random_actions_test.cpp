// Random sequences of user actions on the window, each step checked against
// a model of what it must do. The actions: typing in the formula box (keys,
// and input-method commits, which is how Chinese text really arrives),
// Backspace, Delete, caret moves, select-all, Tab, clicks that place the
// caret; Enter; presses and releases of the "=" label with any button, also
// with a second button chorded in and released off the label; clicks,
// Ctrl+clicks, double-clicks and Enter on the function list; clicks and
// double-clicks on the result; presses and releases of the link; Enter and
// Tab wherever the focus is. Keys and mouse actions go in through the window,
// as the window system delivers them: keys to the focus, and a release to the
// label that took the press wherever the pointer is.
//
// Every window's row is named by its seed. QUILLO_RANDOM_SEED sets the first
// seed and QUILLO_RANDOM_STEPS the steps per window; a failure prints the
// steps that led to it.
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTextDocument>
#include <QWindow>
#include <QtTest>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <string>

#include "formula_box_model.h"
#include "formula_generator.h"
#include "quillo/calc_string.h"
#include "twips.h"
#include "window_fixture.h"

using QuilloTest::Fixture;
using QuilloTest::FormulaBoxModel;
using QuilloTest::HistoryEntry;
using Message = QuilloTest::RecordingPlatform::Message;

namespace {

constexpr quint64 kFirstSeed = 1;
constexpr int kWindows = 8;
constexpr int kStepsPerWindow = 400;

quint64 FromEnvironment(const char* name, quint64 fallback) {
  bool ok = false;
  const quint64 value = qEnvironmentVariable(name).toULongLong(&ok);
  return ok ? value : fallback;
}

// The same seed gives the same steps everywhere: no library distributions.
class Random {
public:
  explicit Random(quint64 seed) : bits_(seed) {}
  quint64 Bits() { return bits_(); }
  int Below(int n) { return int(bits_() % quint64(n)); }
  bool Chance(int percent) { return Below(100) < percent; }
  template <class T>
  const T& Pick(const QList<T>& items) {
    return items[Below(int(items.size()))];
  }
  QPoint Inside(const QRect& r) { return {r.left() + Below(r.width()), r.top() + Below(r.height())}; }

private:
  std::mt19937_64 bits_;
};

// Pieces of formulas, typed key by key: numbers, operators, brackets, names,
// full-width forms, Chinese text.
const QStringList kPieces = {
    "0", "1", "2", "3", "5", "7", "9", ".", "+", "-", "*", "/", "^", "(", ")", ",", " ", "E",
    "sin(", "cos(", "tan(", "sqrt(", "abs(", "int(", "mod(", "power(", "round(", "rand(", "pi(",
    "Asin(", "Acos(", "foo(", "（", "）", "＋", "－", "＊", "／", "＾", "，", "．", "１", "２",
    "一加二", "计算", "π"};

// Whole formulas, good and bad.
const QStringList kFormulas = {
    "1+2", "2*sin(30)+(1+2)^2", "1/2", "-1/2", "007", "1/50000", "（1＋2）＊3", "mod(7,3)",
    "power(2,10)", "round(2.345,2)", "sqrt(16)", "Rand()", "pi()*2", "1/3*3", "2^0.5", "1E3",
    " 1 + 2 ", "１＋２", "1/0", "abc", "((1+2)", "(1+2))", "1+", "foo(1)", "sqrt(-1)", "一加二"};

// What an input method commits in one piece, some of it beyond the BMP.
const QStringList kCommitted = {"一加二", "计算", "（１＋２）＊３", "𠮷", "𠮷+1", "１/３", "中文（", "）"};

// Texts pasted whole: formulas with the line breaks and tabs that text
// copied from elsewhere brings along.
const QStringList kPasted = {"1+2\n",        "\r\n2*3",      "(1+2)\r\n*3\r\n", "1\t+\t2",
                             "1+2\r",        "１＋２\n\n",    "power(2,\n10)",    "一加二\n",
                             "2*sin(30)\u2029", "\t\t1/4"};

// What the box makes of pasted plain text: every line break (CR LF, CR, LF,
// paragraph separator) one paragraph break, which its text shows as LF.
QString AsPasted(QString text) {
  return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
      .replace(u'\r', u'\n')
      .replace(QChar::ParagraphSeparator, u'\n');
}

// A character whose caret moves the model can follow: a whole grapheme by
// itself, laid out left to right or neutral. Not: marks and the jamo that
// join the character before, format controls, right-to-left letters and
// numbers, embeddings and isolates, where Qt moves the caret by clusters and
// by the bidirectional algorithm.
bool Plain(char32_t c) {
  switch (QChar::category(c)) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
    case QChar::Other_Format:
      return false;
    default:
      break;
  }
  switch (QChar::direction(c)) {
    case QChar::DirL:
    case QChar::DirEN:
    case QChar::DirES:
    case QChar::DirET:
    case QChar::DirCS:
    case QChar::DirB:
    case QChar::DirS:
    case QChar::DirWS:
    case QChar::DirON:
    case QChar::DirBN:
      break;
    default:
      return false;
  }
  const bool jamo = (c >= 0x1100 && c <= 0x11FF) || (c >= 0xA960 && c <= 0xA97F) ||
                    (c >= 0xD7B0 && c <= 0xD7FF);
  return !jamo && c != 0x0D4E;  // U+0D4E joins the character after it
}

// What a paste may bring that the model follows: plain characters, less the
// no-break space and line separator, which Qt's plain text shows as a blank
// and a line break, and the document's own frame marks.
bool Pasteable(char32_t c) {
  return Plain(c) && c != 0xA0 && c != 0x2028 && c != 0xFDD0 && c != 0xFDD1;
}

// A character that a key press puts into the box as it is: not controls and
// other unprintables, which the box ignores, nor characters beyond the BMP,
// which come only from input methods.
bool Typeable(char32_t c) { return c < 0x10000 && QChar::isPrint(c) && Pasteable(c); }

// The characters of the text that pass.
QString Only(const QString& text, bool (*pass)(char32_t)) {
  QString kept;
  for (const char32_t c : text.toUcs4()) {
    if (pass(c)) kept += QString::fromUcs4(&c, 1);
  }
  return kept;
}

QString TrimBlanks(QString text) {
  while (text.startsWith(u' ')) text.remove(0, 1);
  while (text.endsWith(u' ')) text.chop(1);
  return text;
}

QString ButtonName(Qt::MouseButton button) {
  return button == Qt::LeftButton ? "left" : button == Qt::RightButton ? "right" : "middle";
}

// One window driven at random, and what it must show after every step.
class Session {
public:
  explicit Session(quint64 seed) : random_(seed), formulas_(random_.Bits()) {}

  bool Start() {
    if (!f_.Show()) return false;
    rest_ = ui().AN->geometry();
    linkLeft_ = ui().Label2->x();
    for (const QString& entry : Quillo::AN_DH::FunctionEntries()) names_ << entry.section(u'(', 0, 0);
    return true;
  }

  // One action, then every check. Reports through QTest.
  void Step(int number) {
    resultChanges_.clear();
    historyChanges_.clear();
    successes_ = 0;
    formulaFocused_ = false;
    step_ = number;
    // The model's evaluations and the window's see the same "rand" values.
    CalcString::ResetRandom();
    const std::function<void()> act = Choose();
    if (QTest::currentTestFailed()) return;
    CalcString::ResetRandom();
    act();
    Check();
  }

  const QStringList& log() const { return log_; }

  // What the steps came to, for the test's output.
  QString Summary() const {
    return QStringLiteral("%1 evaluations (%2 results, %3 message boxes), %4 list inserts, "
                          "%5 copies, %6 link openings; formula %7 characters long")
        .arg(evaluations_)
        .arg(results_)
        .arg(messages_.size())
        .arg(inserts_)
        .arg(clipboard_.size())
        .arg(opened_)
        .arg(box_.text().size());
  }

private:
  const Quillo::WindowControls& ui() const { return f_.ui; }
  QWindow* Handle() { return f_.window.windowHandle(); }
  QPoint InWindow(const QWidget* widget, QPoint at) { return widget->mapTo(&f_.window, at); }
  void Log(const QString& what) { log_ << QStringLiteral("%1: %2").arg(step_).arg(what); }

  std::function<void()> Choose() {
    if (grab_ != nullptr) return WhileHeld();
    const int roll = random_.Below(100);
    if (roll < 24) return TypeKeys();
    if (roll < 28) return TypeAndEnter();
    if (roll < 32) return Commit();
    if (roll < 34) return Paste();
    if (roll < 46) return EditKey();
    if (roll < 50) return ClickFormula();
    if (roll < 60) return Enter();
    if (roll < 69) return Press(ui().AN_DH);
    if (roll < 71) return DoubleClickLabel(ui().AN_DH);
    if (roll < 77) return ListDoubleClick();
    if (roll < 81) return ListClick();
    if (roll < 85) return ListEnter();
    if (roll < 89) return ResultClick();
    if (roll < 92) return KeyWhereverTheFocusIs();
    if (roll < 98) return Press(ui().Label2);
    return DoubleClickLabel(ui().Label2);
  }

  // While a button is held on a label the mouse belongs to it: the keyboard
  // still types, another button may be pressed, and the buttons let go.
  std::function<void()> WhileHeld() {
    const int roll = random_.Below(100);
    if (roll < 45) return Release();
    if (roll < 55 && heldButtons_ != (Qt::LeftButton | Qt::RightButton | Qt::MiddleButton)) {
      return Press(grab_);
    }
    if (roll < 70) return TypeKeys();
    if (roll < 85) return EditKey();
    return Enter();
  }

  // Keyboard focus back in the formula box, as Tab or a click would put it,
  // without touching its selection.
  void FocusFormula() {
    if (QApplication::focusWidget() != ui().TB) ui().TB->setFocus(Qt::OtherFocusReason);
  }

  QString SomethingToType() {
    const int roll = random_.Below(100);
    return roll < 50 ? random_.Pick(kPieces) : roll < 80 ? random_.Pick(kFormulas) : GeneratedFormula();
  }

  void TypeInFormula(const QString& text) {
    FocusFormula();
    for (const QChar c : text) {
      if (c.unicode() < 0x80) {
        QTest::keyClick(Handle(), char(c.unicode()));
      } else {
        QTest::sendKeyEvent(QTest::Click, Handle(), Qt::Key_unknown, QString(c), Qt::NoModifier);
      }
    }
  }

  std::function<void()> TypeKeys() {
    const QString text = SomethingToType();
    box_.Type(text);
    Log(QStringLiteral("type \"%1\"").arg(text));
    return [this, text] { TypeInFormula(text); };
  }

  // A whole formula over the selected one, and Return.
  std::function<void()> TypeAndEnter() {
    const QString text = random_.Chance(70) ? random_.Pick(kFormulas) : GeneratedFormula();
    box_.Type(text);
    Log(QStringLiteral("type \"%1\" and Return").arg(text));
    ExpectEvaluation();
    return [this, text] {
      TypeInFormula(text);
      QTest::keyClick(Handle(), Qt::Key_Return);
    };
  }

  // The start of a formula from the engine tests' generator, typeable parts only.
  QString GeneratedFormula() {
    return Only(QString::fromUtf8(formulas_.Next()), Typeable).left(40);
  }

  std::function<void()> Commit() {
    const QString text = random_.Pick(kCommitted);
    box_.Type(text);
    Log(QStringLiteral("input method commits \"%1\"").arg(text));
    return [this, text] {
      FocusFormula();
      QInputMethodEvent commit;
      commit.setCommitString(text);
      QApplication::sendEvent(ui().TB, &commit);
    };
  }

  // Ctrl+V with a text on Qt's own clipboard (the platform's clipboard is
  // for copying the result only): a pasted formula, or a generated one with
  // its controls and broken UTF-8.
  std::function<void()> Paste() {
    const int roll = random_.Below(3);
    const QString text = roll == 0   ? random_.Pick(kPasted)
                         : roll == 1 ? random_.Pick(kFormulas)
                                     : Only(QString::fromUtf8(formulas_.Next()), Pasteable).left(60);
    box_.Type(AsPasted(text));
    Log(QStringLiteral("paste \"%1\"").arg(text));
    return [this, text] {
      FocusFormula();
      QGuiApplication::clipboard()->setText(text);
      QTest::keyClick(Handle(), Qt::Key_V, Qt::ControlModifier);
    };
  }

  std::function<void()> EditKey() {
    struct Edit {
      const char* name;
      Qt::Key key;
      Qt::KeyboardModifiers modifiers;
      std::function<void(FormulaBoxModel&)> model;
    };
    static const QList<Edit> edits = {
        {"Backspace", Qt::Key_Backspace, {}, [](FormulaBoxModel& b) { b.Backspace(); }},
        {"Delete", Qt::Key_Delete, {}, [](FormulaBoxModel& b) { b.Delete(); }},
        {"Left", Qt::Key_Left, {}, [](FormulaBoxModel& b) { b.Left(false); }},
        {"Shift+Left", Qt::Key_Left, Qt::ShiftModifier, [](FormulaBoxModel& b) { b.Left(true); }},
        {"Right", Qt::Key_Right, {}, [](FormulaBoxModel& b) { b.Right(false); }},
        {"Shift+Right", Qt::Key_Right, Qt::ShiftModifier, [](FormulaBoxModel& b) { b.Right(true); }},
        {"Ctrl+Home", Qt::Key_Home, Qt::ControlModifier, [](FormulaBoxModel& b) { b.ToStart(false); }},
        {"Ctrl+Shift+Home", Qt::Key_Home, Qt::ControlModifier | Qt::ShiftModifier,
         [](FormulaBoxModel& b) { b.ToStart(true); }},
        {"Ctrl+End", Qt::Key_End, Qt::ControlModifier, [](FormulaBoxModel& b) { b.ToEnd(false); }},
        {"Ctrl+Shift+End", Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier,
         [](FormulaBoxModel& b) { b.ToEnd(true); }},
        {"Ctrl+A", Qt::Key_A, Qt::ControlModifier, [](FormulaBoxModel& b) { b.SelectAll(); }},
        {"Tab", Qt::Key_Tab, {}, [](FormulaBoxModel&) {}},  // the focus leaves the box
    };
    const Edit& edit = random_.Pick(edits);
    edit.model(box_);
    Log(QString::fromLatin1(edit.name));
    return [this, key = edit.key, modifiers = edit.modifiers] {
      FocusFormula();
      QTest::keyClick(Handle(), key, modifiers);
    };
  }

  // A click on the boundary in front of a character, half-way down its line;
  // the caret goes there. Not clicked: a boundary scrolled out of sight, or
  // one that shares its place with another (a blank at the end of a wrapped
  // line takes no width), where Qt picks one of them.
  std::function<void()> ClickFormula() {
    const QString& text = box_.text();
    int target = random_.Below(int(text.size()) + 1);
    if (target > 0 && target < text.size() && text[target].isLowSurrogate()) --target;
    QTextCursor boundary(ui().TB->document());
    boundary.setPosition(target);
    const QRect caret = ui().TB->cursorRect(boundary);
    const QPoint at(caret.x(), caret.center().y());
    if (!ui().TB->viewport()->rect().contains(at) ||
        ui().TB->cursorForPosition(at).position() != target) {
      return TypeKeys();
    }
    box_.PlaceCaret(target);
    Log(QStringLiteral("click the formula at %1 (%2,%3)").arg(target).arg(at.x()).arg(at.y()));
    return [this, at] {
      QTest::mouseClick(Handle(), Qt::LeftButton, {}, InWindow(ui().TB->viewport(), at));
    };
  }

  std::function<void()> Enter() {
    struct Key {
      const char* name;
      Qt::Key key;
      Qt::KeyboardModifiers modifiers;
    };
    static const QList<Key> keys = {{"Return", Qt::Key_Return, {}},
                                    {"keypad Enter", Qt::Key_Enter, Qt::KeypadModifier},
                                    {"Shift+Return", Qt::Key_Return, Qt::ShiftModifier},
                                    {"Ctrl+Return", Qt::Key_Return, Qt::ControlModifier}};
    const Key& key = random_.Pick(keys);
    Log(QString::fromLatin1(key.name));
    ExpectEvaluation();
    return [this, key = key.key, modifiers = key.modifiers] {
      FocusFormula();
      QTest::keyClick(Handle(), key, modifiers);
    };
  }

  // A press on a label, or, while one holds the mouse, on it again.
  std::function<void()> Press(QLabel* label) {
    Qt::MouseButton button;
    do {
      button = random_.Pick(QList<Qt::MouseButton>{Qt::LeftButton, Qt::RightButton, Qt::MiddleButton});
    } while (heldButtons_.testFlag(button));
    const QPoint at = InWindow(label, random_.Inside(label->rect()));
    grab_ = label;
    pressed_ = label;
    heldButtons_ |= button;
    Log(QStringLiteral("press %1 on %2").arg(ButtonName(button), label->objectName()));
    return [this, button, at] { QTest::mousePress(Handle(), button, {}, at); };
  }

  // Lets go of one held button on the label, or off it: over the history or
  // outside the window.
  std::function<void()> Release() {
    Qt::MouseButton button;
    do {
      button = random_.Pick(QList<Qt::MouseButton>{Qt::LeftButton, Qt::RightButton, Qt::MiddleButton});
    } while (!heldButtons_.testFlag(button));
    const int where = random_.Below(3);
    const QPoint at = where == 0   ? InWindow(grab_, random_.Inside(grab_->rect()))
                      : where == 1 ? InWindow(ui().TJ, random_.Inside(ui().TJ->rect()))
                                   : QPoint(-1 - random_.Below(200), -1 - random_.Below(200));
    Log(QStringLiteral("release %1 %2 %3")
            .arg(ButtonName(button), where == 0 ? "on" : "off", grab_->objectName()));
    heldButtons_.setFlag(button, false);
    pressed_ = nullptr;
    if (grab_ == ui().AN_DH) {
      ExpectEvaluation();
    } else {
      ++opened_;
    }
    if (heldButtons_ == Qt::NoButton) grab_ = nullptr;
    return [this, button, at] { QTest::mouseRelease(Handle(), button, {}, at); };
  }

  // A click and, at once, the second press of a double-click, which comes to
  // the label as a double-click event; the button stays held.
  std::function<void()> DoubleClickLabel(QLabel* label) {
    const Qt::MouseButton button =
        random_.Pick(QList<Qt::MouseButton>{Qt::LeftButton, Qt::RightButton, Qt::MiddleButton});
    const QPoint at = InWindow(label, random_.Inside(label->rect()));
    Log(QStringLiteral("click %1 on %2, and press again: a double-click")
            .arg(ButtonName(button), label->objectName()));
    if (label == ui().AN_DH) {
      ExpectEvaluation();
    } else {
      ++opened_;
    }
    grab_ = label;
    pressed_ = label;
    heldButtons_ = button;
    return [this, button, at] {
      QTest::mouseClick(Handle(), button, {}, at);
      // QTest moves its clock on after a release so that clicks stay apart.
      QTest::lastMouseTimestamp -= QTest::mouseDoubleClickInterval;
      QTest::mousePress(Handle(), button, {}, at);
    };
  }

  // The list entry's centre in the window, scrolled into view first.
  QPoint EntryPoint(int row) {
    QListWidget* list = ui().FunList;
    list->scrollToItem(list->item(row));
    return InWindow(list->viewport(), list->visualItemRect(list->item(row)).center());
  }

  std::function<void()> ListDoubleClick() {
    const int row = random_.Below(int(names_.size()));
    selectedEntry_ = currentEntry_ = row;
    box_.InsertCall(names_[row]);
    ++inserts_;
    formulaFocused_ = true;
    Log(QStringLiteral("double-click list entry %1").arg(row));
    return [this, row] { QTest::mouseDClick(Handle(), Qt::LeftButton, {}, EntryPoint(row)); };
  }

  // A click selects the entry; Ctrl+click on the selected one clears it.
  std::function<void()> ListClick() {
    const int row = random_.Below(int(names_.size()));
    const bool control = random_.Chance(40);
    selectedEntry_ = control && selectedEntry_ == row ? -1 : row;
    currentEntry_ = row;
    Log(QStringLiteral("%1click list entry %2").arg(control ? "Ctrl+" : "").arg(row));
    return [this, row, control] {
      QTest::mouseClick(Handle(), Qt::LeftButton, control ? Qt::ControlModifier : Qt::NoModifier,
                        EntryPoint(row));
    };
  }

  // The list takes the keyboard focus (not by the mouse): without a current
  // entry it makes the first one current, without selecting it.
  void ListFocusedByKeyboard() {
    if (currentEntry_ < 0) currentEntry_ = 0;
  }

  // Enter in the list inserts the selected entry, or else the current one,
  // which it then selects.
  void ExpectListEnter() {
    if (selectedEntry_ < 0) selectedEntry_ = currentEntry_;
    if (selectedEntry_ >= 0) {
      box_.InsertCall(names_[selectedEntry_]);
      ++inserts_;
      formulaFocused_ = true;
    }
  }

  std::function<void()> ListEnter() {
    const bool keypad = random_.Chance(50);
    ListFocusedByKeyboard();
    ExpectListEnter();
    Log(QStringLiteral("%1 on the list").arg(keypad ? "keypad Enter" : "Return"));
    return [this, keypad] {
      ui().FunList->setFocus(Qt::TabFocusReason);
      QTest::keyClick(Handle(), keypad ? Qt::Key_Enter : Qt::Key_Return,
                      keypad ? Qt::KeypadModifier : Qt::NoModifier);
    };
  }

  // Return or Tab where the focus happens to be: Return evaluates in the
  // formula, inserts the selected entry in the list and does nothing in the
  // read-only boxes; Tab only moves the focus on.
  std::function<void()> KeyWhereverTheFocusIs() {
    const QWidget* focus = QApplication::focusWidget();
    const bool tab = random_.Chance(40);
    Log(QStringLiteral("%1 with the focus in %2")
            .arg(tab ? "Tab" : "Return", focus != nullptr ? focus->objectName() : "nothing"));
    if (!tab && focus == ui().TB) ExpectEvaluation();
    if (!tab && focus == ui().FunList) ExpectListEnter();
    if (tab && focus == ui().TJ) ListFocusedByKeyboard();  // the next in the focus order
    return [this, tab] { QTest::keyClick(Handle(), tab ? Qt::Key_Tab : Qt::Key_Return); };
  }

  // A double-click copies the result without its blanks; a click does nothing.
  std::function<void()> ResultClick() {
    const bool twice = random_.Chance(75);
    const QPoint at = InWindow(ui().JG->viewport(), random_.Inside(ui().JG->viewport()->rect()));
    if (twice) clipboard_ << TrimBlanks(result_);
    Log(twice ? "double-click the result" : "click the result");
    return [this, twice, at] {
      if (twice) {
        QTest::mouseDClick(Handle(), Qt::LeftButton, {}, at);
      } else {
        QTest::mouseClick(Handle(), Qt::LeftButton, {}, at);
      }
    };
  }

  // What one evaluation of the formula must do, as the engine itself decides
  // it: on success the display text, in the result box and on top of the
  // history; on failure one message box. The whole formula then selected.
  void ExpectEvaluation() {
    const QString formula = box_.text();
    QList<Message> calls;
    const CalcString::MessageBox record = [&calls](const std::string& prompt, int style,
                                                   const std::string& title) {
      calls.append({QString::fromStdString(prompt).replace(QStringLiteral("\r\n"), QStringLiteral("\n")),
                    style, QString::fromStdString(title)});
    };
    const std::optional<std::string> display = CalcString::DisplayText(
        CalcString::ToText(CalcString::CalcFormula(formula.toStdString(), record)));
    QVERIFY2(calls.size() == (display ? 0 : 1),
             qPrintable(QStringLiteral("the engine called its box %1 times for \"%2\"")
                            .arg(calls.size())
                            .arg(formula)));
    if (display) {
      result_ = QString::fromStdString(*display);
      history_.prepend(HistoryEntry(result_, formula));
      ++successes_;
      ++results_;
    }
    messages_ += calls;
    ++evaluations_;
    box_.SelectAll();
    formulaFocused_ = true;
    Log(QStringLiteral("  evaluates \"%1\": %2").arg(formula, display ? result_ : calls[0].prompt.section(u'\n', 0, 0)));
  }

  void Check() {
    const QTextCursor cursor = ui().TB->textCursor();
    QCOMPARE(ui().TB->toPlainText(), box_.text());
    QCOMPARE(cursor.anchor(), box_.anchor());
    QCOMPARE(cursor.position(), box_.position());
    if (formulaFocused_) QCOMPARE(QApplication::focusWidget(), ui().TB);

    QCOMPARE(ui().JG->toPlainText(), result_);
    QCOMPARE(ui().TJ->toPlainText(), history_);
    // Neither box is written, not even with its old text, but on a success;
    // each success is one insertion at the top of the history.
    if (successes_ == 0) QCOMPARE(resultChanges_.size(), 0);
    QCOMPARE(historyChanges_.size(), successes_);

    const QList<Message>& shown = f_.platform.messages;
    QCOMPARE(shown.size(), messages_.size());
    for (qsizetype i = checkedMessages_; i < shown.size(); ++i) {
      QCOMPARE(shown[i].prompt, messages_[i].prompt);
      QCOMPARE(shown[i].style, messages_[i].style);
      QCOMPARE(shown[i].title, messages_[i].title);
    }
    checkedMessages_ = shown.size();
    QCOMPARE(f_.platform.clipboard, clipboard_);
    QCOMPARE(f_.platform.opened.size(), opened_);
    if (opened_ > 0) QCOMPARE(f_.platform.opened.last(), QUrl(Quillo::AN_DH::ShopAddress()));

    const QList<QListWidgetItem*> selected = ui().FunList->selectedItems();
    QCOMPARE(selected.isEmpty() ? -1 : ui().FunList->row(selected.first()), selectedEntry_);

    // The labels: pressed after a press, at rest after a release.
    QCOMPARE(ui().AN->geometry(), rest_);
    QCOMPARE(ui().AN_DH->font().bold(), pressed_ != ui().AN_DH);
    if (pressed_ == ui().AN_DH) {
      QCOMPARE(ui().AN_DH->pos(), rest_.topLeft());
    } else {
      QCOMPARE(ui().AN_DH->geometry(), rest_);
    }
    const int top = pressed_ == ui().Label2 ? Quillo::kLabel2PressedTop : Quillo::kLabel2Top;
    QCOMPARE(ui().Label2->pos(), QPoint(linkLeft_, Quillo::Px(top)));
  }

  Random random_;
  QuilloCorpus::FormulaGenerator formulas_;
  Fixture f_;
  QSignalSpy resultChanges_{f_.ui.JG->document(), &QTextDocument::contentsChange};
  QSignalSpy historyChanges_{f_.ui.TJ->document(), &QTextDocument::contentsChange};
  QStringList names_;  // the function names of the list entries
  QRect rest_;         // the "=" button's resting frame
  int linkLeft_ = 0;

  // The model.
  FormulaBoxModel box_;
  QString result_;
  QString history_;
  QList<Message> messages_;
  QStringList clipboard_;
  int opened_ = 0;
  int selectedEntry_ = -1;
  int currentEntry_ = -1;  // the list's current entry, selected or not
  int evaluations_ = 0;
  int results_ = 0;
  int inserts_ = 0;
  QLabel* grab_ = nullptr;     // the label that holds the mouse
  QLabel* pressed_ = nullptr;  // the label whose press came last, if no release since
  Qt::MouseButtons heldButtons_;

  // This step.
  int step_ = 0;
  int successes_ = 0;
  bool formulaFocused_ = false;  // an evaluation or insert puts the focus in the formula
  qsizetype checkedMessages_ = 0;
  QStringList log_;
};

}  // namespace

class RandomActionsTest : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() {
    firstSeed_ = FromEnvironment("QUILLO_RANDOM_SEED", kFirstSeed);
    steps_ = int(FromEnvironment("QUILLO_RANDOM_STEPS", kStepsPerWindow));
    qInfo("seeds %llu to %llu, %d steps each (QUILLO_RANDOM_SEED, QUILLO_RANDOM_STEPS)",
          firstSeed_, firstSeed_ + kWindows - 1, steps_);
  }

  void randomActions_data() {
    QTest::addColumn<quint64>("seed");
    for (quint64 seed = firstSeed_; seed < firstSeed_ + kWindows; ++seed) {
      QTest::addRow("seed %llu", seed) << seed;
    }
  }
  void randomActions() {
    QFETCH(quint64, seed);
    session_ = std::make_unique<Session>(seed);
    QVERIFY(session_->Start());
    for (int step = 1; step <= steps_; ++step) {
      session_->Step(step);
      if (QTest::currentTestFailed()) return;
    }
    qInfo("%s", qPrintable(session_->Summary()));
  }

  void cleanup() {
    if (QTest::currentTestFailed() && session_) {
      qInfo("the steps that led to the failure:");
      for (const QString& line : session_->log().mid(qMax(0, int(session_->log().size()) - 60))) {
        qInfo("%s", qPrintable(line));
      }
    }
    session_.reset();
  }

private:
  quint64 firstSeed_ = kFirstSeed;
  int steps_ = kStepsPerWindow;
  std::unique_ptr<Session> session_;
};

QTEST_MAIN(RandomActionsTest)
#include "random_actions_test.moc"
