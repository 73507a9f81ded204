// The four stock pictures of the product logo on the welcome window.
#pragma once

#include <QPixmap>

namespace quillora {

// Picture 0 to 3: light and dark variants, each in a plain and an alternate colouring;
// a 16x16 pixel mark drawn at run time.
QPixmap StockLogo(int index);

} // namespace quillora
