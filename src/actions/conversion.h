#pragma once
// Replacements converted to their game files' formats, for a run that puts the copies in their
// place: what SWITCH and a pack session both convert, one way.
#include "audio/convert.h"

#include <QString>

#include <map>
#include <vector>

namespace sonaplex {

class WorkProgress;

struct ConversionJob {
    int key = 0; // the selection or pack entry it is for
    QString source, game, destination; // destination: named as the game file is, so it is read as that format
    bool matchLoudness = false; // turned to the game file's loudness, its peak kept under full scale
    audio::LoopChoice loop = audio::LoopChoice::Own;
    audio::SoundInfo like = {}; // the format to write, when already read; else the game file's, read in the helper
};

struct Conversions {
    bool cancelled = false; // nothing converted is to be used
    std::map<int, QString> converted; // key -> the converted copy
    std::map<int, QString> failed; // key -> why it could not be converted (it leaves no file)
};

// Converts each job in the helper (the replacements come from strangers), a few at a time, from
// this thread and others it waits for: run it off the window's (WorkProgress::offload). Counts a
// file done per job; a cancel stops it.
Conversions convertReplacements(const std::vector<ConversionJob>& jobs, WorkProgress& progress);

} // namespace sonaplex
