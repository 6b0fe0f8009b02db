// How a view's selection shows whether the view has the keyboard's focus.
#pragma once

class QAbstractItemView;

// View draws its selection in the palette's focused colours while it has
// the focus, and in the palette's colours of an inactive selection while
// another control or window has it, as the system's views do; the
// selection stays visible either way. A palette whose inactive selection
// is its focused one (Fusion's) gives the button face's colours instead, as
// Windows does.
void ShowFocusBySelection(QAbstractItemView* View);
