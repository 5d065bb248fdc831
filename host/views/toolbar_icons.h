#pragma once
#include <QIcon>

// The images of the main toolbar's buttons and of the program, drawn rather than loaded, so that
// they are sharp at any screen density. A command without an image gets an empty icon.
QIcon CommandIcon(unsigned command);
QIcon ProgramIcon();
