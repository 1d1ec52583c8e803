// libwayland-client, loaded when the program first talks to a Wayland
// compositor itself rather than linked: on X11 the program then neither maps
// it nor libffi behind it, nor relocates them at every start. Under Wayland
// Qt's platform plug-in has loaded it already, and this finds it there.
#pragma once

#include <cstdint>

struct wl_display;
struct wl_event_queue;
struct wl_interface;
struct wl_proxy;

namespace Quillo {

// The library's calls that the program makes, as the library exports them.
struct WaylandClientLibrary {
  wl_event_queue* (*display_create_queue)(wl_display*);
  int (*display_roundtrip_queue)(wl_display*, wl_event_queue*);
  void (*event_queue_destroy)(wl_event_queue*);
  void* (*proxy_create_wrapper)(void*);
  void (*proxy_wrapper_destroy)(void*);
  void (*proxy_set_queue)(wl_proxy*, wl_event_queue*);
  wl_proxy* (*proxy_marshal_flags)(wl_proxy*, uint32_t opcode, const wl_interface*,
                                   uint32_t version, uint32_t flags, ...);
  uint32_t (*proxy_get_version)(wl_proxy*);
  int (*proxy_add_listener)(wl_proxy*, void (**)(void), void* data);
  void (*proxy_destroy)(wl_proxy*);
  const wl_interface* registry_interface;
};

// The library, loaded on first use; null when it cannot be loaded (then no
// Wayland display can be open either).
const WaylandClientLibrary* WaylandClient();

}  // namespace Quillo
