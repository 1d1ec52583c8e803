// The window's text boxes: a window class of our own in place of Windows'
// edit control, whose layout (Wine's in particular) costs time in the square
// of a line's length and which draws a character its face lacks as a box.
// This one lays out only what an edit changes, draws only the rows in view,
// and takes a character the box's face lacks from the Song face.
//
// It is made like an edit control and answers the edit control's messages
// that the window and its tests use: WM_SETTEXT, WM_GETTEXT,
// WM_GETTEXTLENGTH, EM_GETSEL, EM_SETSEL, EM_REPLACESEL, EM_SCROLLCARET,
// EM_GETLINECOUNT, EM_GETLINE, EM_LINEINDEX, EM_LINELENGTH, EM_LINEFROMCHAR,
// EM_GETFIRSTVISIBLELINE, EM_POSFROMCHAR, EM_CHARFROMPOS, EM_SETREADONLY, EM_CANUNDO, EM_UNDO,
// EM_EMPTYUNDOBUFFER, EM_SETLIMITTEXT (there is no limit), WM_CUT, WM_COPY,
// WM_PASTE, WM_CLEAR, WM_UNDO, WM_SETFONT and WM_GETFONT. Lines are counted
// as the box shows them, offsets with CR LF between lines. Styles:
// ES_READONLY; ES_AUTOHSCROLL (rows scroll sideways instead of wrapping);
// WS_VSCROLL and WS_HSCROLL (always shown). Its colours come from the parent
// as an edit control's do (WM_CTLCOLOREDIT, or WM_CTLCOLORSTATIC when
// read-only). The user's editing: typing (an input method's too), the
// arrows, Home, End, Page Up and Down with Shift and Ctrl, Backspace,
// Delete, Ctrl+A/C/X/V/Z, Shift+Delete, Ctrl+Insert, Shift+Insert, the mouse
// (click, Shift+click, drag, double-click for a word, the wheel) and a
// context menu.
#pragma once

namespace Quillo::Win32 {

// The window class's name, registered on the first call.
const wchar_t* TextBoxClass();

}  // namespace Quillo::Win32
