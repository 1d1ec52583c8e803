// The desktop's style, kept from loading: with an override set (and, where
// it exists, naming an installed style plug-in), the application gets Fusion,
// no style plug-in is mapped, and the override is put back, unchanged, for
// the programs the window starts. Its own main: the style is set aside before
// the application exists.
#include <QApplication>
#include <QFile>
#include <QStyle>
#include <QtTest>

#include "look/desktop_style.h"
#include "table.h"

namespace {

QByteArray g_override;  // as the desktop set it, for the test run

}  // namespace

class DesktopStyleTest : public QObject {
  Q_OBJECT

private slots:
  void applicationHasFusion() { QCOMPARE(QApplication::style()->name(), QStringLiteral("fusion")); }

  void noStylePlugInIsMapped() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    QVERIFY(maps.open(QIODevice::ReadOnly));
    QVERIFY2(!maps.readAll().contains("/plugins/styles/"), "a style plug-in is mapped");
  }

  void overrideIsPutBack() {
    QVERIFY(qEnvironmentVariableIsSet("QT_STYLE_OVERRIDE"));
    QCOMPARE(qgetenv("QT_STYLE_OVERRIDE"), g_override);
  }

  // Nothing is set where nothing was; an empty override comes back empty.
  void putsBackOnlyWhatWasSet_data() {
    QuilloTest::Table<bool, QByteArray>(
        {"set", "value"}, {{"unset", false, {}}, {"empty", true, {}}, {"a name", true, "kvantum"}});
  }
  void putsBackOnlyWhatWasSet() {
    const auto [set, value] = QuilloTest::Fetch<bool, QByteArray>({"set", "value"});
    if (set) {
      qputenv("QT_STYLE_OVERRIDE", value);
    } else {
      qunsetenv("QT_STYLE_OVERRIDE");
    }
    const auto aside = Quillo::SetDesktopStyleAside();
    QVERIFY(!qEnvironmentVariableIsSet("QT_STYLE_OVERRIDE"));
    Quillo::PutStyleOverrideBack(aside);
    QCOMPARE(qEnvironmentVariableIsSet("QT_STYLE_OVERRIDE"), set);
    QCOMPARE(qgetenv("QT_STYLE_OVERRIDE"), value);
    QCOMPARE(QApplication::style()->name(), QStringLiteral("fusion"));
  }
};

int main(int argc, char* argv[]) {
  // Adwaita where adwaita-qt6 is installed (the test packages bring it).
  g_override = qEnvironmentVariableIsSet("QUILLO_TEST_STYLE") ? qgetenv("QUILLO_TEST_STYLE")
                                                              : QByteArray("adwaita");
  qputenv("QT_STYLE_OVERRIDE", g_override);
  const auto aside = Quillo::SetDesktopStyleAside();
  QApplication app(argc, argv);
  Quillo::PutStyleOverrideBack(aside);
  DesktopStyleTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "desktop_style_test.moc"
