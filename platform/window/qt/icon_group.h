#pragma once

// The program's icon groups: the pictures of res/icons/, shipped as a Qt resource.

#include <QIcon>

namespace korvel {

// Every image of the icon group with this id (IDR_MAINFRAME: 32x32 and 16x16);
// a null icon for an unknown id.
QIcon loadIconGroup(int id);

}  // namespace korvel
