#include "who_draws_title_bars.h"

#include <QGuiApplication>
#include <cstring>
#include <qpa/qplatformnativeinterface.h>
#include <wayland-client.h>

#include "wayland_client_library.h"

namespace Quillo {
namespace {

struct Search {
  const char* name;
  bool found = false;
};

void OnGlobal(void* data, wl_registry* /*registry*/, uint32_t /*id*/, const char* interface,
              uint32_t /*version*/) {
  auto* search = static_cast<Search*>(data);
  if (std::strcmp(interface, search->name) == 0) search->found = true;
}

void OnGlobalRemove(void* /*data*/, wl_registry* /*registry*/, uint32_t /*id*/) {}

const wl_registry_listener kListener = {OnGlobal, OnGlobalRemove};

bool AskCompositor() {
  wl_display* display = WaylandDisplay();
  return display != nullptr && !AdvertisesGlobal(display, "zxdg_decoration_manager_v1");
}

}  // namespace

wl_display* WaylandDisplay() {
  if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) return nullptr;
  QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
  return native == nullptr
             ? nullptr
             : static_cast<wl_display*>(native->nativeResourceForIntegration("wl_display"));
}

// What wl_display_get_registry, wl_registry_add_listener and
// wl_registry_destroy (inline in the protocol header) do, through the library
// as loaded.
bool AdvertisesGlobal(wl_display* display, const char* name) {
  const WaylandClientLibrary* wl = WaylandClient();
  if (wl == nullptr) return false;
  wl_event_queue* queue = wl->display_create_queue(display);
  auto* wrapper = static_cast<wl_proxy*>(wl->proxy_create_wrapper(display));
  wl->proxy_set_queue(wrapper, queue);
  wl_proxy* registry = wl->proxy_marshal_flags(wrapper, WL_DISPLAY_GET_REGISTRY,
                                               wl->registry_interface,
                                               wl->proxy_get_version(wrapper), 0, nullptr);
  Search search{name};
  wl->proxy_add_listener(registry, reinterpret_cast<void (**)(void)>(
                                       const_cast<wl_registry_listener*>(&kListener)),
                         &search);
  wl->display_roundtrip_queue(display, queue);
  wl->proxy_destroy(registry);
  wl->proxy_wrapper_destroy(wrapper);
  wl->event_queue_destroy(queue);
  return search.found;
}

bool NeedsOwnTitleBar() {
  static const bool needed = AskCompositor();
  return needed;
}

}  // namespace Quillo
