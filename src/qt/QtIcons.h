// Icons of the tool bar and menu items: the desktop's icon theme first, then the icons
// installed with the program's data (share/varnel32/icons/NAME.png).
#pragma once

#include <QIcon>
#include <string_view>

namespace varnel::qt {

// The icon of a freedesktop icon name; a null icon for "" or when none is found.
QIcon CommandIcon(std::string_view name);

}  // namespace varnel::qt
