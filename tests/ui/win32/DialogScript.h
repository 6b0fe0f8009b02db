// A test's steps played inside the options dialog's modal loop, from a
// timer of the thread, once the dialog is up.
#pragma once

#include <functional>
#include <utility>

#include "Win32OptionsDialog.h"

// The steps still to play; empty once played.
inline std::function<void(TWin32OptionsDialog&)> DialogScript;

inline void CALLBACK PlayDialogScript(HWND, UINT, UINT_PTR Timer, DWORD) {
  TWin32OptionsDialog* Window = TWin32OptionsDialog::Of(GetActiveWindow());
  if (!Window || !IsWindowVisible(Window->Handle)) return;
  KillTimer(nullptr, Timer);
  std::exchange(DialogScript, nullptr)(*Window);
}

// Steps plays once the next options dialog is up.
inline void WhenDialogUp(std::function<void(TWin32OptionsDialog&)> Steps) {
  DialogScript = std::move(Steps);
  SetTimer(nullptr, 0, 20, &PlayDialogScript);
}
