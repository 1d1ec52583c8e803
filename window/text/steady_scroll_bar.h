// A scroll bar that draws itself again only when what it shows changes.
//
// A plain-text box sets its vertical scroll bar's range and page step with
// every line added. Qt's bar draws itself whole for each such change, though
// in a long text its slider stays where it was and as long as it was; and the
// bar's tall gradient fills go through Qt's thread pool, waking its threads.
#pragma once

#include <QRect>
#include <QScrollBar>
#include <optional>

class QPlainTextEdit;

namespace Quillo {

class SteadyScrollBar final : public QScrollBar {
public:
  explicit SteadyScrollBar(Qt::Orientation orientation, QWidget* parent = nullptr);

protected:
  void sliderChange(SliderChange change) override;
  void paintEvent(QPaintEvent* event) override;

private:
  // What the range and the steps decide in the bar's picture.
  struct Look {
    QRect slider;
    bool atMinimum;
    bool atMaximum;
    bool operator==(const Look&) const = default;
  };
  Look CurrentLook() const;

  std::optional<Look> shown_;  // as last drawn
};

// Gives the box a SteadyScrollBar as its vertical scroll bar, reaching the
// box's own paging as Qt's bar does. False (and the box keeps Qt's bar) with
// a Qt whose plain-text box pages in a way this cannot reach.
bool UseSteadyScrollBar(QPlainTextEdit& box);

}  // namespace Quillo
