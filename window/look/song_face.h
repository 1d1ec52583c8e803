// The Song-style face the window draws its own texts with: the whole CJK
// face cut down, when the program is built, to the characters the window
// shows (resources/face/song_face.py), and built into the program; and its
// bold, which the whole face lacks.
#pragma once

#include <QString>

namespace Quillo {

// The built-in face's family, registered with Qt's font database on the first
// call (a QGuiApplication must exist). Empty if Qt refused the face; the
// whole faces stand in then.
QString SongFamily();

// The built-in bold face's family, registered likewise: full-width forms and
// the window's own characters, their strokes widened by a 12th of the em
// (Qt's own emboldening widens them by a 24th, which leaves them thin beside
// bold Latin letters).
QString SongBoldFamily();

}  // namespace Quillo
