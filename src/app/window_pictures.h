#pragma once
#include "ui/window_pictures.h"

namespace sonaplex {

// The tutorial pages' pictures, made from the real windows in a scratch program folder with a
// registry of their own, once per run.
const WindowPicture& programWindowPicture(const QString& key);

} // namespace sonaplex
