// The few Windows types that the host's library entry point signature uses.
#pragma once

using BOOL = int;
using DWORD = unsigned long;
using HINSTANCE = void*;
using LPVOID = void*;
using UINT = unsigned int;

inline constexpr BOOL TRUE = 1;
inline constexpr BOOL FALSE = 0;

inline constexpr DWORD DLL_PROCESS_DETACH = 0;
inline constexpr DWORD DLL_PROCESS_ATTACH = 1;
inline constexpr DWORD DLL_THREAD_ATTACH = 2;
inline constexpr DWORD DLL_THREAD_DETACH = 3;

/// Signature of a module's entry point, looked up by name ("DllMain") after loading.
using ds_module_entry_point = BOOL (*)(HINSTANCE, DWORD, LPVOID);
