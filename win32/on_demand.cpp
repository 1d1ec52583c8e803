#include "on_demand.h"

#include <objbase.h>
#include <shellapi.h>

namespace Quillo::Win32::OnDemand {
namespace {

// `name` from the system's own `library`, or null. The library stays loaded
// for the rest of the run.
template <typename Function>
Function Find(const wchar_t* library, const char* name) {
  HMODULE module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (module == nullptr) return nullptr;
  // Through the generic function type, which every function pointer converts from.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// Whether this thread's COM was initialised here, and so is ours to undo.
thread_local bool comInitialised = false;
thread_local bool comTried = false;
thread_local bool comUsable = false;

}  // namespace

bool ComReady() {
  if (comTried) return comUsable;
  comTried = true;
  static const auto initialise = Find<decltype(&::CoInitializeEx)>(L"ole32.dll", "CoInitializeEx");
  if (initialise == nullptr) return false;
  // Another part of the process may have initialised COM on this thread
  // already, in either apartment: usable all the same.
  const HRESULT result = initialise(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  comInitialised = SUCCEEDED(result);
  comUsable = comInitialised || result == RPC_E_CHANGED_MODE;
  return comUsable;
}

void ReleaseCom() {
  if (!comInitialised) return;
  static const auto uninitialise = Find<decltype(&::CoUninitialize)>(L"ole32.dll", "CoUninitialize");
  if (uninitialise != nullptr) uninitialise();
  comInitialised = comTried = comUsable = false;
}

HRESULT CreateStdAccessibleObject(HWND window, LONG object, REFIID id, void** out) {
  static const auto create =
      Find<decltype(&::CreateStdAccessibleObject)>(L"oleacc.dll", "CreateStdAccessibleObject");
  if (out != nullptr) *out = nullptr;
  if (create == nullptr || !ComReady()) return E_FAIL;
  return create(window, object, id, out);
}

LRESULT LresultFromObject(REFIID id, WPARAM wParam, IUnknown* object) {
  static const auto answer = Find<decltype(&::LresultFromObject)>(L"oleacc.dll", "LresultFromObject");
  if (answer == nullptr || !ComReady()) return 0;
  return answer(id, wParam, object);
}

BSTR SysAllocStringLen(const OLECHAR* text, UINT length) {
  static const auto allocate = Find<decltype(&::SysAllocStringLen)>(L"oleaut32.dll", "SysAllocStringLen");
  return allocate != nullptr ? allocate(text, length) : nullptr;
}

INT_PTR ShellExecuteW(HWND owner, const wchar_t* verb, const wchar_t* file, const wchar_t* parameters,
                      const wchar_t* folder, int show) {
  static const auto execute = Find<decltype(&::ShellExecuteW)>(L"shell32.dll", "ShellExecuteW");
  if (execute == nullptr) return SE_ERR_DLLNOTFOUND;
  // The shell may hand the address to a COM server.
  ComReady();
  return reinterpret_cast<INT_PTR>(execute(owner, verb, file, parameters, folder, show));
}

}  // namespace Quillo::Win32::OnDemand
