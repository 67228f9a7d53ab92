#pragma once
#include <QHash>
#include <QPixmap>
#include <QRect>

#include <functional>

namespace sonaplex {

// A picture of one of the program's own windows filled with example selections, and where
// each named control lies in it.
struct WindowPicture {
    QPixmap image;
    QHash<QString, QRect> controls;
};

// Where the tutorial pages get their pictures from: the program hands the window registry a
// provider that makes them from its real windows. Keys: "FrmMidi", "FrmCopyMidi",
// "FrmWavSelect", "FrmCopyWavs", "FrmMidiBackup", "FrmWavBackup", "FrmSetName2", and the two
// halves of the sound-effects window: "GameSide" (its file list on a game folder) and
// "SetSide" (its folder list on a saved set).
using WindowPictures = std::function<const WindowPicture&(const QString& key)>;

} // namespace sonaplex
