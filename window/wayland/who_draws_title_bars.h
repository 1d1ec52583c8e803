// Who draws the title bars on this desktop. On X11 the window manager always
// does. On Wayland a compositor that draws them itself says so by offering
// xdg-decoration (KDE), and Qt then asks it to; others (GNOME, weston) leave
// them to the application, and Qt's own title bar ignores the window's flags.
#pragma once

struct wl_display;

namespace Quillo {

// Whether our top-level windows need a title bar of our own: on Wayland
// without server-side decorations. Asked once, then remembered.
bool NeedsOwnTitleBar();

// Qt's connection to the Wayland compositor; null on other platforms.
wl_display* WaylandDisplay();

// Whether the compositor behind `display` advertises the global interface
// `name`: one round trip on an event queue of its own, so that Qt's queue is
// left alone.
bool AdvertisesGlobal(wl_display* display, const char* name);

}  // namespace Quillo
