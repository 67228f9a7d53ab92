#pragma once
#include <QPixmap>

namespace sonaplex {

// The program's logo: a loudspeaker sending out sound waves over a game pad's cross.
QPixmap drawLogo(int size);
// The product name in capitals, in a bold display face with a shadow and a metal gradient.
QPixmap drawTitleArt(int width, int height);

} // namespace sonaplex
