// bare-window: the toolkit's floor for the start-up measurement, a bare Qt
// Widgets window of the calculator's size, shown as the program starts.
#include <QApplication>
#include <QWidget>

#include "form/form.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window;
  window.resize(Quillo::Form::kClientWidthPx, Quillo::Form::kClientHeightPx);
  window.show();
  return app.exec();
}
