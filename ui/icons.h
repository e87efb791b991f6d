#pragma once

#include <QImage>
#include <QPainter>

// The program's two pictures, drawn by the program at any size, so that they stay sharp
// at every device pixel ratio. Both read on a light and on a dark window: the product
// icon is a square of blue, the maker icon a white disc.
namespace ui {

// Each paints the icon into the square of the given side at the painter's origin.
void PaintProductIcon(QPainter& painter, int side);
void PaintMakerIcon(QPainter& painter, int side);

// An icon drawn into an image of the given side, clear where it paints nothing.
QImage DrawIcon(int side, void (*paint)(QPainter&, int));

// The product: a big "h8" on a square of blue, 48 by 48 pixels.
QImage ProductIcon();
// The same drawing at another size, for the desktop's icon themes.
QImage DrawProductIcon(int side);
// The maker: a ring, an "O", on a white disc, 48 by 48 pixels; the corners are clear.
QImage MakerIcon();

} // namespace ui
