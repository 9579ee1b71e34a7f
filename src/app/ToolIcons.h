#pragma once
// The toolbar's pictures: the desktop's icon theme where it has one, else
// pictures the program draws itself.

#include <QIcon>

// The icon of a toolbar command (0 close, 1 new, 2 open, 3 save, 4 search,
// 5 config, 6 plugin, 7 clipboard, 12 image, 13 undo, 14 redo, 15 statistics).
QIcon ToolIcon(int command);
