#pragma once

#include <QImage>

// The program's two pictures, 48 by 48 pixels at 24 bits, drawn by the program.
namespace ui {

// The product: a big "h8" on a band of blue.
QImage ProductIcon();
// The same drawing at another size, for the desktop's icon themes.
QImage DrawProductIcon(int side);
// The maker: a ring, an "O".
QImage MakerIcon();

} // namespace ui
