// The player's icon, drawn in code: the window's icon and the application menu's picture.
#pragma once

#include <QIcon>
#include <QImage>

namespace quillora {

// The icon at size x size pixels (transparent corners): a quill over a sea at sunset.
QImage DrawPlayerIcon(int size);
// The icon at the sizes window systems ask for (16 to 256 pixels).
QIcon PlayerIcon();

} // namespace quillora
