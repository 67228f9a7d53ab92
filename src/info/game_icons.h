#pragma once
#include <QPixmap>

namespace sonaplex {

// A 32 × 32 picture for a game: a tile in its own colour with a motif and its initials.
QPixmap drawGameIcon(const QString& title, int index);

} // namespace sonaplex
