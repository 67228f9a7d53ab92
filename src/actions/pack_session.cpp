#include "actions/pack_session.h"
#include "actions/conversion.h"
#include "audio/probe.h"

#include "audio/analysis.h"
#include "audio/convert.h"
#include "base/work_progress.h"
#include "record/replacement_record.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace sonaplex {

// What the check needs of the sounds themselves: whether each opens as the players open it (read
// in the helper, all in one go: they come from a stranger), and a recording's format against its
// game file's.
struct InspectedSounds {
    QHash<QString, audio::SoundInfo> sounds;

    explicit InspectedSounds(const std::vector<QString>& paths)
    {
        const QStringList list(paths.begin(), paths.end());
        const std::vector<audio::SoundInfo> infos = audio::probeInfos(list, audio::kProbeTimeLimit);
        for (qsizetype i = 0; i < list.size(); ++i)
            sounds.insert(list[i], infos[size_t(i)]);
    }
    PackInspection inspection() const
    {
        return {[this](const QString& path) { return sounds.value(path).error; },
            [this](const QString& game, const QString& sound) {
                return audio::checkFormats(audio::soundFileInfoInProcess(game), sounds.value(sound));
            }};
    }
};

namespace {

// The game a new pack is for: as installed when a game holds the folder, else by its name.
void describeGame(PackManifest& m, const QString& gameFolder, const std::vector<Game>& games)
{
    if (const Game* g = gameHolding(games, gameFolder + QLatin1Char('/'))) {
        m.gameName = g->name;
        m.gameLauncher = launcherKeyword(g->launcher);
        m.gameId = g->id;
    } else {
        m.gameName = QFileInfo(gameFolder).fileName();
    }
}

NewPack newPack(PackContents contents, const QString& gameFolder, const std::vector<Game>& games)
{
    NewPack p;
    describeGame(p.manifest, gameFolder, games);
    p.manifest.version = QStringLiteral("1.0");
    p.manifest.entries = contents.entries;
    p.contents = std::move(contents);
    return p;
}
} // namespace

bool PackSession::open(const QString& path, const QString& workTemplate, WorkProgress& progress)
{
    close();
    OpenedPack opened;
    const bool whole = openPack(path, workTemplate, opened, progress);
    refused_ = opened.refused;
    if (!whole)
        return false;
    path_ = path;
    archive_ = std::move(opened.archive);
    work_ = std::move(opened.work);
    sounds_ = std::move(opened.sounds);
    return true;
}

bool PackSession::read(const QString& path)
{
    close();
    archive_ = PackArchive::open(path, &refused_);
    if (archive_)
        path_ = path;
    return archive_ != nullptr;
}

void PackSession::close() { *this = PackSession(); }

bool PackSession::check(ReplacementRecord& record, const QString& gameFolder, const std::vector<ReplacedFile>& known,
    bool overOthers, WorkProgress& progress)
{
    check_ = {};
    refused_ = {};
    converted_.clear();
    notConverted_.clear();
    // What the record remembers of the game files spares reading them again: on its own thread.
    const std::vector<QString> remembered = packRemembered(manifest(), gameFolder, record, &progress);
    progress.setTotal(int(sounds_.size()), 0);
    PackCheck found;
    progress.offload([&] {
        if (!inspected_)
            inspected_ = std::make_shared<const InspectedSounds>(sounds_);
        found = checkPack(
            path_, manifest(), sounds_, gameFolder, known, remembered, inspected_->inspection(), overOthers, &progress);
    });
    if (progress.cancelled())
        return false;
    if (!found.refused.isEmpty()) {
        refused_ = found.refused;
        return false;
    }
    check_ = std::move(found);
    return true;
}

bool PackSession::mustConvert() const
{
    return std::any_of(check_.items.begin(), check_.items.end(), [](const PackItem& item) {
        return item.action == PackAction::Replace && item.format.state == FormatCheck::State::Differs
            && item.format.codecDiffers;
    });
}

bool PackSession::convert(WorkProgress& progress, bool all)
{
    converted_.clear();
    notConverted_.clear();
    const QString folder = work_ ? work_->path() : QString();
    std::vector<ConversionJob> jobs;
    for (const PackItem& item : check_.items)
        if (item.action == PackAction::Replace && item.format.state == FormatCheck::State::Differs
            && (all || item.format.codecDiffers))
            // Named as the game file is, so that it is taken (and read back) as that format.
            jobs.push_back({int(item.entry), sounds_[item.entry], item.gamePath,
                QStringLiteral("%1/converted-%2.%3").arg(folder).arg(item.entry + 1).arg(QFileInfo(item.gamePath).suffix())});
    progress.setTotal(int(jobs.size()), 0);
    Conversions made;
    progress.offload([&] { made = convertReplacements(jobs, progress); });
    if (made.cancelled)
        return false;
    for (const auto& [entry, copy] : made.converted)
        converted_[size_t(entry)] = copy;
    for (const auto& [entry, why] : made.failed)
        notConverted_[size_t(entry)] = why;
    return true;
}

PreparedRun PackSession::apply(ReplacementRecord& record)
{
    PreparedRun prepared{packApplyPlan(check_, manifest(), sounds_, path_, converted_, notConverted_), &record};
    // Conversions serve the one apply they were made for.
    converted_.clear();
    notConverted_.clear();
    return prepared;
}

PreparedRun PackSession::takeOff(ReplacementRecord& record, const QString& gameFolder, const std::vector<ReplacedFile>& known,
    std::vector<size_t>* notPacks, const WorkProgress* progress) const
{
    return {packRemovalPlan(path_, manifest(), gameFolder, record, known, notPacks, progress), &record};
}

const Game* gameOfPack(const PackManifest& m, const std::vector<Game>& games)
{
    for (const Game& g : games)
        if ((!m.gameId.isEmpty() && g.id == m.gameId && launcherKeyword(g.launcher) == m.gameLauncher)
            || (m.gameId.isEmpty() && !m.gameName.isEmpty() && g.name.compare(m.gameName, Qt::CaseInsensitive) == 0))
            return &g;
    return nullptr;
}

QString madeForAnotherGame(const PackManifest& m, const QString& gameFolder, const std::vector<Game>& games, int found)
{
    if (m.gameName.isEmpty() && m.gameId.isEmpty())
        return {};
    PackManifest shown; // what a pack made of this folder would say
    describeGame(shown, QDir::cleanPath(gameFolder), games);
    const bool same = !m.gameId.isEmpty() && !shown.gameId.isEmpty()
        ? m.gameId == shown.gameId && m.gameLauncher == shown.gameLauncher
        : m.gameName.compare(shown.gameName, Qt::CaseInsensitive) == 0;
    if (same)
        return {};
    return QStringLiteral("made for %1; %2 of its %3 sounds are in %4")
        .arg(m.gameName.isEmpty() ? m.gameId : m.gameName)
        .arg(found)
        .arg(m.entries.size())
        .arg(shown.gameName);
}

NewPack packOfReplacements(const QString& gameFolder, const std::vector<ReplacedFile>& known, const OriginalStore& store,
    const std::vector<Game>& games)
{
    return newPack(contentsFromReplacements(gameFolder, known, store), gameFolder, games);
}

NewPack packOfSet(const QString& setFolder, const QString& gameFolder, const std::vector<ReplacedFile>& known,
    const std::vector<Game>& games)
{
    return newPack(contentsFromSet(setFolder, gameFolder, known), gameFolder, games);
}

} // namespace sonaplex
