// The toolbar's 18 x 15 pictures, drawn at twice the resolution for sharp screens.
#pragma once

#include <QIcon>

QIcon ToolbarIcon(int commandId);
