// The program's icon as its windows carry it.
#pragma once

#include <QIcon>

// The pictures drawn from the SVG that the package installs into the
// desktop's icon theme, at every size the windows offer the desktop, built
// into the program as pixels: nothing is looked up or decoded.
QIcon ProgramIcon();
