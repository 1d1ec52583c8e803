#include "line_editor.h"

#include <dlfcn.h>

namespace quillo_eval {
namespace {

// The library whose interface histedit.h describes (Debian's libedit2).
constexpr char kLibrary[] = "libedit.so.2";

}  // namespace

const LineEditor* LoadLineEditor(std::string& error) {
  static LineEditor editor;
  static std::string failure;
  static const bool loaded = [] {
    void* library = dlopen(kLibrary, RTLD_NOW | RTLD_LOCAL);  // kept until the end
    if (library == nullptr) {
      failure = dlerror();
      return false;
    }
#define QUILLO_LINE_EDITOR_LOOKUP(name)                                            \
  editor.name = reinterpret_cast<decltype(editor.name)>(dlsym(library, #name)); \
  if (editor.name == nullptr) {                                                  \
    failure = std::string(kLibrary) + " has no " #name;                          \
    return false;                                                                \
  }
    QUILLO_LINE_EDITOR_FUNCTIONS(QUILLO_LINE_EDITOR_LOOKUP)
#undef QUILLO_LINE_EDITOR_LOOKUP
    return true;
  }();
  if (!loaded) error = failure;
  return loaded ? &editor : nullptr;
}

}  // namespace quillo_eval
