// The Song-style face the window draws its own texts with: the whole CJK
// face cut down, when the program is built, to the characters the window
// shows (resources/face/song_face.py), and built into the program.
#pragma once

#include <QString>

namespace Quillo {

// The built-in face's family, registered with Qt's font database on the first
// call (a QGuiApplication must exist). Empty if Qt refused the face; the
// whole faces stand in then.
QString SongFamily();

}  // namespace Quillo
