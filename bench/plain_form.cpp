// plain-form: the toolkit's floor for this window, for the start-up record: a
// Qt Widgets window of the calculator's size holding the calculator's kinds
// of controls where it holds them (three plain-text boxes, a list of twelve
// entries, three captions), all in Qt's defaults (style, font, palette), with
// ASCII texts only, so that no CJK face is read. Shown as the program starts.
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QWidget>

#include "form/form.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window;
  window.resize(Quillo::Form::kClientWidthPx, Quillo::Form::kClientHeightPx);
  for (const QRect& box : {QRect(8, 8, 345, 57), QRect(8, 66, 345, 29), QRect(8, 96, 345, 169)}) {
    (new QPlainTextEdit(&window))->setGeometry(box);
  }
  auto* list = new QListWidget(&window);
  list->setGeometry(364, 96, 113, 148);
  for (const char* entry : {"Abs(): absolute", "Acos(): arccos", "Asin(): arcsin", "Cos(): cosine",
                            "Int(): integer", "Mod(): modulo", "Pi(): pi value", "Power(): power",
                            "Rand(): random", "Round(): round", "Sin(): sine", "Sqrt(): root"}) {
    list->addItem(QString::fromLatin1(entry));
  }
  (new QLabel(QStringLiteral("="), &window))->setGeometry(365, 16, 111, 39);
  (new QLabel(QStringLiteral("Functions"), &window))->setGeometry(371, 72, 99, 18);
  (new QLabel(QStringLiteral("Shop online"), &window))->setGeometry(368, 252, 105, 17);
  window.show();
  return app.exec();
}
