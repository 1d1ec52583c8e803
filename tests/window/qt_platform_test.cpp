// The real desktop seam: the engine's error box as a modal QMessageBox, and
// the clipboard, driven through the window.
#include <QAbstractButton>
#include <QClipboard>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QtTest>

#include "an_dh.h"
#include "qt_platform.h"
#include "window_suite.h"

using QuilloTest::Selection;
using QuilloTest::Type;

namespace {

// What the test saw of the message box before it closed it.
struct SeenBox {
  bool found = false;
  QString title, text;
  Qt::TextFormat format = Qt::AutoText;
  QMessageBox::Icon icon = QMessageBox::Information;
  int buttons = 0;
  QMessageBox::StandardButtons standard;
  Qt::WindowModality modality = Qt::NonModal;
};

// Records the application's message box once it shows and closes it with its
// OK button.
void CloseBoxWhenShown(SeenBox& seen) {
  QuilloTest::WhenMessageBoxShows([&seen](QMessageBox& box) {
    seen = {true,         box.windowTitle(),     box.text(), box.textFormat(), box.icon(),
            int(box.buttons().size()), box.standardButtons(), box.windowModality()};
    if (QAbstractButton* ok = box.button(QMessageBox::Ok)) {
      ok->click();
    } else {
      box.reject();
    }
  });
}

}  // namespace

class QtPlatformTest : public QObject {
  Q_OBJECT

private slots:
  void init() {
    Quillo::SetUpApplication();
    window = std::make_unique<Quillo::AN_DH>(platform);
    QVERIFY(QuilloTest::ShowActive(*window));
  }
  void cleanup() { window.reset(); }

  void errorBox_data() {
    QuilloTest::Table<QString, QString>({"formula", "message"},
                                        {{"unfinished", "1+", ">> 公式有误或为空"},
                                         {"missing )", "((1+2)", ">>表达式缺右括号：)"},
                                         {"unknown function", "foo(1)", ">> 暂不支持函数：foo"}});
  }
  void errorBox() {
    const auto [formula, message] = QuilloTest::Fetch<QString, QString>({"formula", "message"});
    const auto& ui = window->controls();
    Type(ui.TB, QStringLiteral("1+2"));
    QTest::keyClick(ui.TB, Qt::Key_Return);
    ui.TB->clear();
    Type(ui.TB, formula);

    SeenBox seen;
    CloseBoxWhenShown(seen);
    QTest::keyClick(ui.TB, Qt::Key_Return);  // returns once the box is closed

    QVERIFY(seen.found);
    QCOMPARE(seen.title, QStringLiteral("错误提示"));
    QCOMPARE(seen.text, message + QStringLiteral("\n\n        请输入或修改……"));
    QCOMPARE(seen.format, Qt::PlainText);
    QCOMPARE(seen.icon, QMessageBox::NoIcon);
    QCOMPARE(seen.buttons, 1);
    QCOMPARE(seen.standard, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(seen.modality, Qt::ApplicationModal);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    QCOMPARE(ui.JG->toPlainText(), QStringLiteral(" 3"));
    QCOMPARE(Selection(ui.TB), qMakePair(0, int(formula.size())));
  }

  void resultReachesTheClipboard() {
    const auto& ui = window->controls();
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    Type(ui.TB, QStringLiteral("1/2"));
    QTest::keyClick(ui.TB, Qt::Key_Return);
    QTest::mouseDClick(ui.JG->viewport(), Qt::LeftButton, {}, QPoint(30, 10));
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("0.5"));
  }

private:
  Quillo::QtPlatform platform;
  std::unique_ptr<Quillo::AN_DH> window;
};

QTEST_MAIN(QtPlatformTest)
#include "qt_platform_test.moc"
