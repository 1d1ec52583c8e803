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

#include "accessibility.h"
#include "an_dh.h"
#include "embedded_picture.h"
#include "look/font_map.h"
#include "text/text_box.h"
#include "look/qt_chinese.h"
#include "text/steady_scroll_bar.h"
#include "twips.h"
#include "look/window_look.h"

namespace Quillo {
namespace {

const QColor kBlue(0, 0, 255);
const QColor kRed(255, 0, 0);

// The client area, in twips.
constexpr int kClientWidth = 7275;
constexpr int kClientHeight = 4125;

enum class Wrap { Lines, None };

QPlainTextEdit* MakeTextBox(QWidget* parent, const QString& name, QRect geometry,
                            const QFont& font, const QColor& colour, bool readOnly, Wrap wrap) {
  auto* box = new TextBox(parent);  // text/text_box.h
  box->setObjectName(name);
  box->setGeometry(geometry);
  box->setFrameShape(QFrame::NoFrame);
  box->setFont(font);
  QPalette palette = box->palette();
  palette.setColor(QPalette::Text, colour);
  box->setPalette(palette);
  box->setTabChangesFocus(true);
  box->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  if (wrap == Wrap::Lines) {
    box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  } else {
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  }
  if (readOnly) {
    // Text can be selected and copied, with the mouse or the keyboard, not changed.
    box->setReadOnly(true);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box->setUndoRedoEnabled(false);
    box->setFocusPolicy(Qt::StrongFocus);
  }
  return box;
}

enum class Border { None, Single };

// Labels are transparent over the picture and centre their caption.
QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& caption, QRect geometry,
                  const QFont& font, const QColor* colour, Border border) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);  // before the caption: assistive technology knows it by its name
  label->setText(caption);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignCenter);
  label->setFont(font);
  if (colour != nullptr) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, *colour);
    label->setPalette(palette);
  }
  if (border == Border::Single) {
    label->setFrameShape(QFrame::Box);
    label->setFrameShadow(QFrame::Plain);
    label->setLineWidth(1);
  }
  label->setGeometry(geometry);
  return label;
}

// The caption's full width, blanks at either end included, inside the border.
void SizeToCaption(QLabel& label) {
  const int frame = 2 * label.frameWidth();
  label.resize(CaptionWidth(label.font(), label.text()) + frame,
               QFontMetrics(label.font()).height() + frame);
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
  static const QStringList entries = {
      QStringLiteral("Abs(): 绝对值"),   QStringLiteral("Acos(): 反余弦值"),
      QStringLiteral("Asin(): 反正弦值"), QStringLiteral("Cos(): 余弦值"),
      QStringLiteral("Int(): 取整数"),   QStringLiteral("Mod() : 取余数"),
      QStringLiteral("Pi(): π值"),       QStringLiteral("Power(): 求幂"),
      QStringLiteral("Rand(): 随机数"),  QStringLiteral("Round(): 四舍五入"),
      QStringLiteral("Sin(): 正弦值"),   QStringLiteral("Sqrt(): 平方根"),
  };
  return entries;
}

AN_DH::AN_DH(Platform& platform, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      platform_(platform) {
  InstallAccessibility();
  setObjectName(QStringLiteral("AN_DH"));
  setWindowTitle(QStringLiteral("Quillo-按Enter可计算  作者：Quillo 开发组"));
  setWindowIcon(WindowIcon());
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFixedSize(Px(kClientWidth), Px(kClientHeight));
  if (const QScreen* home = screen()) move(home->availableGeometry().center() - rect().center());

  UseQtChineseTexts();
  ApplyFixedStyleAndPalette(*this);  // the controls take their colours from it
  BuildControls();  // and the fixed font, part-way
  KeepFixedLook(*this);  // the controls' style, and the menus they open
  Form_Load();
  WireEvents();
  ui.TB->setFocus(Qt::OtherFocusReason);
}

void AN_DH::BuildControls() {
  ui.TB = MakeTextBox(this, QStringLiteral("TB"), TwipsRect(120, 120, 5175, 855),
                      MapFont(QStringLiteral("Arial"), 14.25, true), kBlue, false, Wrap::Lines);
  ui.JG = MakeTextBox(this, QStringLiteral("JG"), TwipsRect(120, 995, 5175, 440),
                      MapFont(QStringLiteral("Arial Narrow"), 18, true), kRed, true, Wrap::Lines);
  ui.TJ = MakeTextBox(this, QStringLiteral("TJ"), TwipsRect(120, 1440, 5175, 2535),
                      MapFont(QStringLiteral("Arial"), 12, true), kBlue, true, Wrap::None);
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

  const QFont equalsFont = MapFont(QStringLiteral("宋体"), 27.75, true);
  const QString equals = QStringLiteral("  =  ");
  // AN first, so that AN_DH lies in front of it and takes the mouse.
  ui.AN = MakeLabel(this, QStringLiteral("AN"), equals, TwipsRect(3120, 0, 1665, 585),
                    equalsFont, nullptr, Border::Single);
  ui.AN->setAttribute(Qt::WA_TransparentForMouseEvents);
  ui.AN_DH = MakeLabel(this, QStringLiteral("AN_DH"), equals, TwipsRect(5475, 240, 1665, 585),
                       equalsFont, nullptr, Border::Single);
  ui.Label1 = MakeLabel(this, QStringLiteral("Label1"), QStringLiteral("可用函数列表"),
                        TwipsRect(5565, 1080, 1485, 270), MapFont(QStringLiteral("宋体"), 12, false),
                        &kRed, Border::Single);
  ui.Label2 = MakeLabel(this, QStringLiteral("Label2"), QStringLiteral("去淘宝网逛逛"),
                        TwipsRect(5520, kLabel2Top, 1575, 255),
                        MapFont(QStringLiteral("宋体"), 9, false, true), &kRed, Border::None);
  ui.Label2->setCursor(Qt::PointingHandCursor);
  for (QLabel* label : {ui.AN, ui.AN_DH, ui.Label1}) SizeToCaption(*label);

  ui.FunList = new QListWidget(this);
  ui.FunList->setObjectName(QStringLiteral("FunList"));
  ui.FunList->setGeometry(TwipsRect(5460, 1440, 1695, 2220));
  ui.FunList->setFont(MapFont(QStringLiteral("宋体"), 9, false));
  ui.FunList->setSelectionMode(QAbstractItemView::SingleSelection);
  ui.FunList->setUniformItemSizes(true);

  ui.TB->setAccessibleName(QStringLiteral("公式"));
  ui.TB->setAccessibleDescription(QStringLiteral("输入公式，按 Enter 计算"));
  ui.JG->setAccessibleName(QStringLiteral("计算结果"));
  ui.JG->setAccessibleDescription(QStringLiteral("双击复制结果"));
  ui.TJ->setAccessibleName(QStringLiteral("计算历史"));
  ui.TJ->setAccessibleDescription(QStringLiteral("以往的计算，最新的在最上面"));
  ui.AN_DH->setAccessibleName(QStringLiteral("等号：计算"));
  ui.AN_DH->setAccessibleDescription(QStringLiteral("单击计算公式，与 Enter 相同"));
  ui.AN->setAccessibleName(QStringLiteral("等号"));
  ui.Label1->setAccessibleName(QStringLiteral("可用函数列表标题"));
  ui.FunList->setAccessibleName(QStringLiteral("可用函数列表"));
  ui.FunList->setAccessibleDescription(QStringLiteral("双击或按 Enter 把函数插入公式"));
  ui.Label2->setAccessibleName(QStringLiteral("去淘宝网逛逛"));
  ui.Label2->setAccessibleDescription(QStringLiteral("在浏览器中打开淘宝网"));

  // Focus order: formula, history, function list, result.
  setTabOrder(ui.TB, ui.TJ);
  setTabOrder(ui.TJ, ui.FunList);
  setTabOrder(ui.FunList, ui.JG);
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
  painter.fillRect(rect(), QColor(0, 0, 255));
  background_.Draw(painter, rect(), devicePixelRatioF());
}

}  // namespace Quillo
