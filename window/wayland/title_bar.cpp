#include "title_bar.h"

#include <QEvent>
#include <QFontMetrics>
#include <QIcon>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

namespace Quillo {
namespace {

// Light, like the title bars the window was drawn with; fixed, whatever the
// desktop's palette, as the window's own colours are.
const QColor kBarActive(0xe6, 0xe6, 0xe6);
const QColor kBarInactive(0xf2, 0xf2, 0xf2);
const QColor kCaptionActive(0x1e, 0x1e, 0x1e);
const QColor kCaptionInactive(0x8c, 0x8c, 0x8c);
const QColor kCloseHover(0xe8, 0x11, 0x23);
const QColor kEdge(0xb4, 0xb4, 0xb4);

constexpr int kPadding = 6;     // left of the icon, between icon and caption, before the close button
constexpr int kIconSize = 20;
constexpr int kCross = 10;      // the close cross, edge length
constexpr int kMinBarHeight = 28;
// Below this much room for the caption, the icon makes way for it.
constexpr int kMinCaptionRoom = 60;

}  // namespace

CloseButton::CloseButton(QWidget* parent) : QAbstractButton(parent) {
  setObjectName(QStringLiteral("TitleBarClose"));
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_Hover);
  setAccessibleName(QStringLiteral("关闭"));
  setToolTip(QStringLiteral("关闭"));
}

QSize CloseButton::sizeHint() const {
  const int side = parentWidget() != nullptr ? parentWidget()->height() : kMinBarHeight;
  return {side, side};
}

void CloseButton::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  const bool hot = underMouse() || isDown();
  if (hot) painter.fillRect(rect(), kCloseHover);
  painter.setRenderHint(QPainter::Antialiasing);
  const bool active = window()->isActiveWindow();
  QPen pen(hot ? QColor(Qt::white) : (active ? kCaptionActive : kCaptionInactive));
  pen.setWidthF(1.5);
  painter.setPen(pen);
  const QRectF cross(QPointF(0, 0), QSizeF(kCross, kCross));
  const QRectF at = cross.translated(QRectF(rect()).center() - cross.center());
  painter.drawLine(at.topLeft(), at.bottomRight());
  painter.drawLine(at.topRight(), at.bottomLeft());
}

TitleBar::TitleBar(QWidget* frame, bool wholeCaption)
    : QWidget(frame), close_(new CloseButton(this)), wholeCaption_(wholeCaption) {
  setObjectName(QStringLiteral("TitleBar"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFixedHeight(barHeight());
  connect(close_, &QAbstractButton::clicked, frame, &QWidget::close);
  frame->installEventFilter(this);
}

int TitleBar::barHeight() const {
  return qMax(kMinBarHeight, QFontMetrics(font()).height() + 2 * kPadding);
}

int TitleBar::captionLeft() const {
  const int room = width() - kPadding - barHeight();
  const bool icon = !window()->windowIcon().isNull() &&
                    room >= kPadding + kIconSize + kPadding + kMinCaptionRoom;
  return icon ? kPadding + kIconSize + kPadding : kPadding;
}

QSize TitleBar::sizeHint() const { return minimumSizeHint(); }

QSize TitleBar::minimumSizeHint() const {
  int width = kPadding + barHeight();
  if (wholeCaption_) {
    width += kPadding + kIconSize + kPadding +
             QFontMetrics(font()).horizontalAdvance(window()->windowTitle()) + kPadding;
  }
  return {width, barHeight()};
}

void TitleBar::resizeEvent(QResizeEvent* /*event*/) {
  close_->setGeometry(width() - height(), 0, height(), height());
}

void TitleBar::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  const bool active = window()->isActiveWindow();
  painter.fillRect(rect(), active ? kBarActive : kBarInactive);
  painter.setPen(kEdge);
  painter.drawLine(0, height() - 1, width() - 1, height() - 1);

  const int left = captionLeft();
  if (left > kPadding) {
    const QIcon icon = window()->windowIcon();
    icon.paint(&painter, QRect(kPadding, (height() - kIconSize) / 2, kIconSize, kIconSize));
  }
  const QRect captionRect(left, 0, width() - left - height() - kPadding, height());
  painter.setFont(font());
  painter.setPen(active ? kCaptionActive : kCaptionInactive);
  const QString caption = QFontMetrics(font())
                              .elidedText(window()->windowTitle(), Qt::ElideRight, captionRect.width());
  painter.drawText(captionRect, Qt::AlignLeft | Qt::AlignVCenter, caption);
}

bool TitleBar::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::ActivationChange:
    case QEvent::WindowTitleChange:
    case QEvent::WindowIconChange:
      update();
      close_->update();
      break;
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

// The compositor moves the window while the button is held.
void TitleBar::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    if (QWindow* handle = window()->windowHandle()) handle->startSystemMove();
    event->accept();
    return;
  }
  QWidget::mousePressEvent(event);
}

}  // namespace Quillo
