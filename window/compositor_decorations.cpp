#include "compositor_decorations.h"

#include <QGuiApplication>
#include <cstring>
#include <qpa/qplatformnativeinterface.h>
#include <wayland-client.h>

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

bool AdvertisesGlobal(wl_display* display, const char* name) {
  wl_event_queue* queue = wl_display_create_queue(display);
  auto* wrapper = static_cast<wl_display*>(wl_proxy_create_wrapper(display));
  wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(wrapper), queue);
  wl_registry* registry = wl_display_get_registry(wrapper);
  Search search{name};
  wl_registry_add_listener(registry, &kListener, &search);
  wl_display_roundtrip_queue(display, queue);
  wl_registry_destroy(registry);
  wl_proxy_wrapper_destroy(wrapper);
  wl_event_queue_destroy(queue);
  return search.found;
}

bool NeedsOwnTitleBar() {
  static const bool needed = AskCompositor();
  return needed;
}

}  // namespace Quillo
