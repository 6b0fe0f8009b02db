// Functions of the system's libraries that the dialog needs only when the
// user asks for something: the shell's folder dialog (shell32, ole32) and
// assistive technology (oleacc, oleaut32, ole32). They are looked up at
// their first use rather than imported, so that loading those libraries,
// and the ones they load in turn, does not delay the dialog's start.
#pragma once

#include "WinCompat.h"

// The function Name of the library File in the system folder, loaded when it
// is not loaded yet. A function that is not there ends the program with a
// message naming it, as the system's loader would end a program importing
// it.
FARPROC SystemFunctionAddress(const wchar_t* File, const char* Name);

template <typename TPointer>
TPointer SystemFunction(const wchar_t* File, const char* Name) {
  // Through the generic function pointer type, from which any function
  // pointer type may be cast.
  using TAnyFunction = void (*)();
  return reinterpret_cast<TPointer>(
      reinterpret_cast<TAnyFunction>(SystemFunctionAddress(File, Name)));
}

// The system's Function of the library File, typed as its declaration: for
// example SYSTEM_FUNCTION(L"shell32.dll", SHBrowseForFolderA)(&Browse).
#define SYSTEM_FUNCTION(File, Function) SystemFunction<decltype(&::Function)>(File, #Function)
