#pragma once
#include <QHash>
#include <QPixmap>
#include <QRect>

namespace sonaplex {

// A picture of one of the program's own windows filled with example selections, and where
// each named control lies in it.
struct WindowPicture {
    QPixmap image;
    QHash<QString, QRect> controls;
};

// "FrmMidi", "FrmCopyMidi", "FrmWavSelect", "FrmCopyWavs", "FrmMidiBackup", "FrmWavBackup",
// "FrmSetName2", and the two halves of the sound-effects window: "GameSide" (its file list on
// a game folder) and "SetSide" (its folder list on a saved set). Made from the real windows,
// once per run.
const WindowPicture& windowPicture(const QString& key);

} // namespace sonaplex
