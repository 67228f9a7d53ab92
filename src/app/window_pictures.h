#pragma once
#include "audio/audio_host.h"
#include "ui/window_pictures.h"

#include <memory>

namespace sonaplex {

// The tutorial pages' pictures, made from the real windows in a scratch program folder with a
// registry of their own (sharing the program's `audio`), once per run.
const WindowPicture& programWindowPicture(const QString& key, std::shared_ptr<audio::AudioHost> audio);

} // namespace sonaplex
