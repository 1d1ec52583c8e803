#include "steady_scroll_bar.h"

#include <QPlainTextEdit>
#include <QStyle>
#include <QStyleOptionSlider>

namespace Quillo {

SteadyScrollBar::SteadyScrollBar(Qt::Orientation orientation, QWidget* parent)
    : QScrollBar(orientation, parent) {}

SteadyScrollBar::Look SteadyScrollBar::CurrentLook() const {
  QStyleOptionSlider option;
  initStyleOption(&option);
  return {style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this),
          value() == minimum(), value() == maximum()};
}

// A new range or new steps that leave the picture as it is draw nothing. A
// style whose bars fade in and out shows them again on such a change, so there
// every change draws.
void SteadyScrollBar::sliderChange(SliderChange change) {
  if ((change == SliderRangeChange || change == SliderStepsChange) && shown_) {
    QStyleOptionSlider option;
    initStyleOption(&option);
    if (!style()->styleHint(QStyle::SH_ScrollBar_Transient, &option, this) &&
        *shown_ == CurrentLook()) {
      return;
    }
  }
  QScrollBar::sliderChange(change);
}

void SteadyScrollBar::paintEvent(QPaintEvent* event) {
  shown_ = CurrentLook();
  QScrollBar::paintEvent(event);
}

bool UseSteadyScrollBar(QPlainTextEdit& box) {
  // Clicked beside its slider, the bar tells the box, which then pages by
  // whole lines; Qt 6.4 connects that in the box's constructor, by name.
  static constexpr const char* kPaging = "_q_verticalScrollbarActionTriggered(int)";
  if (box.metaObject()->indexOfSlot(kPaging) < 0) return false;
  auto* bar = new SteadyScrollBar(Qt::Vertical);
  box.setVerticalScrollBar(bar);
  QObject::connect(bar, SIGNAL(actionTriggered(int)), &box,
                   SLOT(_q_verticalScrollbarActionTriggered(int)));
  return true;
}

}  // namespace Quillo
