// Windows libraries that only some actions need, loaded the first time one
// of them is wanted instead of when the program starts: COM and the shell
// for the shop link, the accessibility library for screen readers. Starting
// quillo.exe then maps only what the first paint needs.
//
// Each library is looked for in the system folder alone, never beside the
// program or in the current folder. A library that cannot be loaded makes
// its function fail as Windows' own would (an error code, a null result).
#pragma once

#include <windows.h>

#include <oleacc.h>

namespace Quillo::Win32::OnDemand {

// COM on the calling thread, in a single-threaded apartment, initialised on
// the first call; true when COM is usable on the thread.
bool ComReady();
// Undoes ComReady's initialisation on the calling thread, if it made one.
void ReleaseCom();

HRESULT CreateStdAccessibleObject(HWND window, LONG object, REFIID id, void** out);
// 0 when the library is missing.
LRESULT LresultFromObject(REFIID id, WPARAM wParam, IUnknown* object);
BSTR SysAllocStringLen(const OLECHAR* text, UINT length);
// ShellExecuteW's answer: greater than 32 on success.
INT_PTR ShellExecuteW(HWND owner, const wchar_t* verb, const wchar_t* file,
                      const wchar_t* parameters, const wchar_t* folder, int show);

}  // namespace Quillo::Win32::OnDemand
