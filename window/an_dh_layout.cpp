// The window and its controls: positions, sizes, fonts, colours, captions;
// the background picture; the start-up handler Form_Load.
#include <QFontMetrics>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QScreen>
#include <algorithm>
#include <array>
#include <utility>

#include "an_dh.h"
#include "embedded_picture.h"
#include "look/font_map.h"
#include "text/text_box.h"
#include "text/steady_scroll_bar.h"
#include "twips.h"
#include "look/window_look.h"

namespace Quillo {
namespace {

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QColor Colour(const Form::Rgb& rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }

QFont FontOf(const Form::Control& control) {
  const Form::Font& font = control.font;
  return MapFont(Text(font.face), font.points, font.bold, font.underline);
}

void SetNames(QWidget& widget, const Form::Control& control) {
  if (!control.accessible_name.empty()) widget.setAccessibleName(Text(control.accessible_name));
  if (!control.accessible_description.empty()) {
    widget.setAccessibleDescription(Text(control.accessible_description));
  }
}

QPlainTextEdit* MakeTextBox(QWidget* parent, const Form::Control& control) {
  auto* box = new TextBox(parent);  // text/text_box.h
  box->setObjectName(Text(control.name));
  box->setGeometry(TwipsRect(control.place));
  box->setFrameShape(QFrame::NoFrame);
  box->setFont(FontOf(control));
  QPalette palette = box->palette();
  palette.setColor(QPalette::Text, Colour(control.colour.value()));
  box->setPalette(palette);
  box->setTabChangesFocus(true);
  box->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  if (control.scroll == Form::Scroll::Vertical) {  // lines wrap at the box's width
    box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  } else {
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  }
  if (!control.editable) {
    // Text can be selected and copied, with the mouse or the keyboard, not changed.
    box->setReadOnly(true);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box->setUndoRedoEnabled(false);
    box->setFocusPolicy(Qt::StrongFocus);
  }
  return box;
}

// The caption's full width, blanks at either end included, inside the border.
void SizeToCaption(QLabel& label) {
  const int frame = 2 * label.frameWidth();
  label.resize(CaptionWidth(label.font(), label.text()) + frame,
               QFontMetrics(label.font()).height() + frame);
}

// Labels are transparent over the picture and centre their caption.
QLabel* MakeLabel(QWidget* parent, const Form::Control& control) {
  auto* label = new QLabel(parent);
  label->setObjectName(Text(control.name));  // before the caption: assistive technology knows it by its name
  label->setText(Text(control.caption));
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignCenter);
  label->setFont(FontOf(control));
  if (control.colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Colour(*control.colour));
    label->setPalette(palette);
  }
  if (control.border) {
    label->setFrameShape(QFrame::Box);
    label->setFrameShadow(QFrame::Plain);
    label->setLineWidth(1);
  }
  label->setGeometry(TwipsRect(control.place));
  return label;
}

// From pixels built into the program, decoded from icon-48.png when it was
// built (embedded_picture.h).
QIcon WindowIcon() { return QIcon(QPixmap::fromImage(kWindowIcon.Image())); }

}  // namespace

void SetLabelBold(QLabel& label, bool bold) {
  QFont font = label.font();
  font.setBold(bold);
  label.setFont(font);
  SizeToCaption(label);
}

const QStringList& AN_DH::FunctionEntries() {
  static const QStringList entries = [] {
    QStringList list;
    for (std::string_view entry : Form::kFunctionEntries) list.append(Text(entry));
    return list;
  }();
  return entries;
}

AN_DH::AN_DH(Platform& platform, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      platform_(platform) {
  setObjectName(QStringLiteral("AN_DH"));
  setWindowTitle(Text(Form::kCaption));
  setWindowIcon(WindowIcon());
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFixedSize(Form::kClientWidthPx, Form::kClientHeightPx);
  if (const QScreen* home = screen()) move(home->availableGeometry().center() - rect().center());

  ApplyFixedStyleAndPalette(*this);  // the controls take their colours from it
  BuildControls();  // and the fixed font, part-way
  KeepFixedLook(*this);  // the controls' style, and the menus they open
  Form_Load();
  WireEvents();
  ui.TB->setFocus(Qt::OtherFocusReason);
}

void AN_DH::BuildControls() {
  ui.TB = MakeTextBox(this, Form::kTB);
  ui.JG = MakeTextBox(this, Form::kJG);
  ui.TJ = MakeTextBox(this, Form::kTJ);
  UseSteadyScrollBar(*ui.TJ);  // the history's bar changes with every calculation
  for (QPlainTextEdit* box : {ui.TB, ui.JG}) SteerForLongText(*box);
  // The result box is one line tall: without a margin the line fits it whole,
  // so no scroll bar shows until a result wraps.
  ui.JG->document()->setDocumentMargin(0);
  // The labels measure their captions in fonts completed from the window's.
  // The text boxes take that font only now: a box lays its empty text out
  // once in the font it inherits while it is made, and the fixed font would
  // cost a fontconfig match and a font engine of its own for that alone,
  // where the application's default font is already loaded by then.
  setFont(FixedFont());

  // AN first, so that AN_DH lies in front of it and takes the mouse.
  ui.AN = MakeLabel(this, Form::kAN);
  ui.AN->setAttribute(Qt::WA_TransparentForMouseEvents);
  ui.AN_DH = MakeLabel(this, Form::kAN_DH);
  ui.Label1 = MakeLabel(this, Form::kLabel1);
  ui.Label2 = MakeLabel(this, Form::kLabel2);
  ui.Label2->setCursor(Qt::PointingHandCursor);
  for (QLabel* label : {ui.AN, ui.AN_DH, ui.Label1}) SizeToCaption(*label);

  ui.FunList = new QListWidget(this);
  ui.FunList->setObjectName(Text(Form::kFunList.name));
  ui.FunList->setGeometry(TwipsRect(Form::kFunList.place));
  ui.FunList->setFont(FontOf(Form::kFunList));
  ui.FunList->setSelectionMode(QAbstractItemView::SingleSelection);
  ui.FunList->setUniformItemSizes(true);

  SetNames(*ui.TB, Form::kTB);
  SetNames(*ui.JG, Form::kJG);
  SetNames(*ui.TJ, Form::kTJ);
  SetNames(*ui.AN_DH, Form::kAN_DH);
  SetNames(*ui.AN, Form::kAN);
  SetNames(*ui.Label1, Form::kLabel1);
  SetNames(*ui.FunList, Form::kFunList);
  SetNames(*ui.Label2, Form::kLabel2);

  // Focus order by tab index: formula, history, function list, result.
  std::array<std::pair<int, QWidget*>, 4> focus = {{{Form::kTB.tab_index, ui.TB},
                                                     {Form::kJG.tab_index, ui.JG},
                                                     {Form::kTJ.tab_index, ui.TJ},
                                                     {Form::kFunList.tab_index, ui.FunList}}};
  std::sort(focus.begin(), focus.end());
  for (std::size_t i = 1; i < focus.size(); ++i) setTabOrder(focus[i - 1].second, focus[i].second);
}

void AN_DH::Form_Load() {
  for (const QString& entry : FunctionEntries()) ui.FunList->addItem(entry);
  ui.AN->move(ui.AN_DH->x(), ui.AN->y());
  ui.AN->move(ui.AN->x(), ui.AN_DH->y());
}

// Blue, then the picture from the top-left corner: it fills the client area,
// in the screen's own pixels.
void AN_DH::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.fillRect(rect(), Colour(Form::kBackground));
  background_.Draw(painter, rect(), devicePixelRatioF());
}

}  // namespace Quillo
