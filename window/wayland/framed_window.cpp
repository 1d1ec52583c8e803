#include "framed_window.h"

#include <QDialog>
#include <QPainter>
#include <QPointer>
#include <QVBoxLayout>

#include "who_draws_title_bars.h"
#include "title_bar.h"

namespace Quillo {
namespace {

const QColor kOutline(0x70, 0x70, 0x70);

// Puts the bar above `content` in `frame`, behind a one-pixel outline (the
// fixed single border); the frame then takes its size from the two, exactly.
void Host(QWidget& frame, QWidget& content, bool wholeCaption) {
  QWidget* focus = content.focusWidget();
  // The bar draws its caption in the hosted window's font (that of its own
  // look), not in the desktop's, whose faces follow the locale.
  frame.setFont(content.font());
  frame.setWindowTitle(content.windowTitle());
  frame.setWindowIcon(content.windowIcon());
  content.setParent(&frame, Qt::Widget);
  content.move(0, 0);

  auto* layout = new QVBoxLayout(&frame);
  layout->setContentsMargins(1, 1, 1, 1);
  layout->setSpacing(0);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->addWidget(new TitleBar(&frame, wholeCaption));
  layout->addWidget(&content, 0, Qt::AlignLeft | Qt::AlignTop);
  content.show();
  if (focus != nullptr) focus->setFocus(Qt::OtherFocusReason);
}

// Where the bar is wider than the window below it, the window's own
// background goes on to the frame's edge.
void PaintFrame(QWidget& frame, const QWidget* content) {
  QPainter painter(&frame);
  if (content != nullptr) painter.fillRect(frame.rect(), content->palette().window());
  painter.setPen(kOutline);
  painter.drawRect(frame.rect().adjusted(0, 0, -1, -1));
}

// The main window's frame: closing it closes the program.
class WindowFrame final : public QWidget {
public:
  explicit WindowFrame(QWidget& content)
      : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
        content_(&content),
        flags_(content.windowFlags()) {
    setObjectName(content.objectName() + QStringLiteral("Frame"));
    Host(*this, content, false);
  }
  ~WindowFrame() override {
    if (content_) content_->setParent(nullptr, flags_);
  }

protected:
  void paintEvent(QPaintEvent*) override { PaintFrame(*this, content_); }

private:
  QPointer<QWidget> content_;
  Qt::WindowFlags flags_;
};

// A dialog's frame: the dialog finishing finishes the frame; the close button
// and Escape reject it, as the window manager's close button would.
class DialogFrame final : public QDialog {
public:
  explicit DialogFrame(QDialog& content)
      : QDialog(content.parentWidget() != nullptr ? content.parentWidget()->window() : nullptr,
                Qt::Dialog | Qt::FramelessWindowHint),
        content_(&content),
        parent_(content.parentWidget()),
        flags_(content.windowFlags()) {
    setObjectName(content.objectName() + QStringLiteral("Frame"));
    setWindowModality(content.windowModality() == Qt::NonModal ? Qt::ApplicationModal
                                                              : content.windowModality());
    Host(*this, content, true);
    connect(&content, &QDialog::finished, this, &QDialog::done);
  }
  ~DialogFrame() override {
    if (content_) content_->setParent(parent_, flags_);
  }

protected:
  void paintEvent(QPaintEvent*) override { PaintFrame(*this, content_); }
  // The dialog sizes itself as it is shown, just before the frame is: the
  // frame takes that size before its window appears.
  void showEvent(QShowEvent* event) override {
    layout()->activate();
    QDialog::showEvent(event);
  }

private:
  QPointer<QDialog> content_;
  QPointer<QWidget> parent_;
  Qt::WindowFlags flags_;
};

}  // namespace

std::unique_ptr<QWidget> ShowWithTitleBar(QWidget& window) {
  if (!NeedsOwnTitleBar()) {
    window.show();
    return nullptr;
  }
  auto frame = std::make_unique<WindowFrame>(window);
  frame->show();
  return frame;
}

int ExecWithTitleBar(QDialog& dialog) {
  if (!NeedsOwnTitleBar()) return dialog.exec();
  DialogFrame frame(dialog);
  return frame.exec();
}

}  // namespace Quillo
