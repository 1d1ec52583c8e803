// What the whole program sets up once for the window, shared by main() and
// the tests: nothing here belongs to one window.
#pragma once

#include <QApplication>
#include <QByteArray>
#include <optional>

namespace Quillo {

// Once the application object exists: Qt's accessibility factory for the
// window's controls (accessibility.h) and Qt's own texts in Chinese
// (look/qt_chinese.h). Safe to call more than once.
void SetUpApplication();

namespace detail {
struct StyleSetAside {
  StyleSetAside();
  std::optional<QByteArray> setAside;
};
}  // namespace detail

// The program's application object: the desktop's widget style is set aside
// while it is made (look/desktop_style.h), then SetUpApplication.
class Application : private detail::StyleSetAside, public QApplication {
public:
  Application(int& argc, char** argv);
};

}  // namespace Quillo
