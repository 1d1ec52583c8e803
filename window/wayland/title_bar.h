// The window's own title bar, for Wayland compositors that leave title bars to
// the application (GNOME, weston): the icon, the caption and a close button,
// nothing else, as on X11. Qt's built-in Wayland title bar always adds
// minimise and maximise buttons and cuts short captions.
#pragma once

#include <QAbstractButton>
#include <QWidget>

namespace Quillo {

// The close button: a painted cross, no focus (the window's tab order stays).
class CloseButton final : public QAbstractButton {
public:
  explicit CloseButton(QWidget* parent);
  QSize sizeHint() const override;

protected:
  void paintEvent(QPaintEvent* event) override;
};

// Icon and caption of the top-level window it stands in, and a close button
// that closes that window. Pressing the bar moves the window.
class TitleBar final : public QWidget {
public:
  // `wholeCaption`: the bar asks for room for the whole caption (the error
  // box); otherwise a caption too long for the window is shortened with "…".
  TitleBar(QWidget* frame, bool wholeCaption);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;
  CloseButton* closeButton() const { return close_; }

  // Height of the bar at the current font.
  int barHeight() const;

protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  // The frame's activation, caption and icon changes repaint the bar.
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

private:
  int captionLeft() const;

  CloseButton* close_;
  bool wholeCaption_;
};

}  // namespace Quillo
