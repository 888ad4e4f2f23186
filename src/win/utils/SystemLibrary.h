// System DLLs that the program loads when it first needs them instead of at start.
#pragma once

#include <windows.h>

namespace Utils {

// The system DLL of that name, loaded on first use and kept loaded; null when it cannot be loaded (last error kept).
// The program limits DLL loading to the system folder at start, so a DLL beside it is never taken instead.
inline HMODULE SystemModule(const char* name) {
  HMODULE module = GetModuleHandleA(name);
  return module ? module : LoadLibraryA(name);
}

// A function of a system DLL; null when the DLL or the function is missing (last error kept).
template <class Function>
Function* SystemFunction(const char* module, const char* name) {
  HMODULE handle = SystemModule(module);
  FARPROC address = handle ? GetProcAddress(handle, name) : nullptr;
  return reinterpret_cast<Function*>(reinterpret_cast<void*>(address));
}

}  // namespace Utils
