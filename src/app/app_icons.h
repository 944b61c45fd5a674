#pragma once

#include <QIcon>

namespace ombrelis {

// The toolbar's button images are 16 by 15 pixels.
inline constexpr int kToolbarButtonWidth = 16;
inline constexpr int kToolbarButtonHeight = 15;

// The image of a toolbar button, or a null icon for a command without one.
QIcon toolbarIcon(int commandId);

// The application's icon (main window, about box), rendering its sizes when
// first asked, and the same with every size rendered at once.
QIcon applicationIcon();
QIcon renderedApplicationIcon();

// The document windows' icon.
QIcon documentIcon();

}  // namespace ombrelis
