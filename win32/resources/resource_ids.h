// The identifiers of quillo.exe's resources, for quillo.rc and the program.
#pragma once

#define QUILLO_ICON 1
// The background, decoded from background.jpg and background@2x.jpg when the
// program is built.
#define QUILLO_BACKGROUND 101
#define QUILLO_BACKGROUND_2X 102
