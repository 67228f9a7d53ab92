#pragma once
#include <QPixmap>
#include <QSize>

namespace sonaplex {

// The program's logo: a loudspeaker sending out sound waves over a game pad's cross.
QPixmap drawLogo(int size);
// The product name in capitals, in a bold display face with a shadow and a metal gradient.
QPixmap drawTitleArt(int width, int height);

// The first window's logo and title are drawn at build time and carried in the program as
// bare pixels (":/art/splash-logo.argb", ":/art/splash-title.argb"): drawing them took a
// third of the time to the first window, and reading a picture file loads Qt's picture
// plugins, which took half as long again.
inline constexpr QSize splashLogoSize(96, 96);
inline constexpr QSize splashTitleSize(360, 70);
// A picture as those bare pixels: premultiplied ARGB, row after row, in this machine's order.
QByteArray artPixels(const QPixmap& picture);
// The picture of `size` those pixels make, or a null one when they do not fit it.
QPixmap artFromPixels(const QByteArray& pixels, QSize size);

} // namespace sonaplex
