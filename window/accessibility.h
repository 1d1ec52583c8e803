// What assistive technology (screen readers, switch access) finds in the
// window: "=" is a push button and the shop link a link, each with an action
// that does what a click does; the window is a frame; the twin "=" behind the
// real one is left out.
#pragma once

#include <QString>

namespace Quillo {

// The name of the link's one action: "jump", as browsers name the action of
// a link. The "=" button's one action is Qt's press action.
inline QString JumpAction() { return QStringLiteral("jump"); }

// Teaches Qt's accessibility layer the window's controls. Cheap, and safe to
// call more than once; Qt asks the factory only while an assistive
// technology is listening (or a program asks itself).
void InstallAccessibility();

}  // namespace Quillo
