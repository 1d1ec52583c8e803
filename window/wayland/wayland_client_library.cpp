#include "wayland_client_library.h"

#include <dlfcn.h>

namespace Quillo {
namespace {

template <typename Function>
bool Find(void* library, const char* name, Function& function) {
  function = reinterpret_cast<Function>(dlsym(library, name));
  return function != nullptr;
}

bool Load(WaylandClientLibrary& calls) {
  // The library stays loaded for the life of the program.
  void* library = dlopen("libwayland-client.so.0", RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) return false;
  calls.registry_interface =
      static_cast<const wl_interface*>(dlsym(library, "wl_registry_interface"));
  return calls.registry_interface != nullptr &&
         Find(library, "wl_display_create_queue", calls.display_create_queue) &&
         Find(library, "wl_display_roundtrip_queue", calls.display_roundtrip_queue) &&
         Find(library, "wl_event_queue_destroy", calls.event_queue_destroy) &&
         Find(library, "wl_proxy_create_wrapper", calls.proxy_create_wrapper) &&
         Find(library, "wl_proxy_wrapper_destroy", calls.proxy_wrapper_destroy) &&
         Find(library, "wl_proxy_set_queue", calls.proxy_set_queue) &&
         Find(library, "wl_proxy_marshal_flags", calls.proxy_marshal_flags) &&
         Find(library, "wl_proxy_get_version", calls.proxy_get_version) &&
         Find(library, "wl_proxy_add_listener", calls.proxy_add_listener) &&
         Find(library, "wl_proxy_destroy", calls.proxy_destroy);
}

}  // namespace

const WaylandClientLibrary* WaylandClient() {
  static WaylandClientLibrary calls{};
  static const bool loaded = Load(calls);
  return loaded ? &calls : nullptr;
}

}  // namespace Quillo
