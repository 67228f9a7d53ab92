#include "actions/pack_session.h"
#include "actions/game_sounds.h"
#include "actions/switch_session.h"
#include "audio/probe.h"

#include "audio/analysis.h"
#include "audio/convert.h"
#include "base/work_progress.h"
#include "record/replacement_record.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <future>

namespace sonaplex {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(PackSession)
};
} // namespace

// What the check needs of the sounds themselves: whether each opens as the players open it (read
// in the helper, a batch at a time: they come from a stranger), and a recording's format against
// its game file's.
struct InspectedSounds {
    QHash<QString, audio::SoundInfo> sounds;

    void add(const QStringList& paths)
    {
        const std::vector<audio::SoundInfo> infos = audio::probeInfos(paths, audio::kProbeTimeLimit);
        for (qsizetype i = 0; i < paths.size(); ++i)
            sounds.insert(paths[i], infos[size_t(i)]);
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
    std::unique_ptr<PackArchive> archive;
    progress.offload([&] { archive = PackArchive::open(path, &refused_); });
    if (!archive || progress.cancelled()) {
        if (progress.cancelled())
            refused_ = {};
        return false;
    }
    path_ = path;
    archive_ = std::move(archive);
    workTemplate_ = workTemplate;
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

QTemporaryDir* PackSession::work()
{
    if (!work_) {
        (void)createFolder(QFileInfo(workTemplate_).absolutePath());
        work_ = std::make_shared<QTemporaryDir>(workTemplate_);
    }
    return work_->isValid() ? work_.get() : nullptr;
}

QString PackSession::soundFile(size_t i, QString* why)
{
    if (const auto made = files_.find(i); made != files_.end())
        return made->second;
    QTemporaryDir* folder = work();
    if (!folder) {
        if (why)
            *why = Say::tr("cannot make a working folder: %1").arg(work_->errorString());
        return {};
    }
    const QString path = QStringLiteral("%1/%2.%3").arg(folder->path()).arg(i + 1).arg(archive_->kindOf(i));
    PackRefusal refused;
    if (!archive_->inflateTo(i, path, &refused)) {
        if (why)
            *why = refused.why;
        return {};
    }
    return files_[i] = path;
}

// Every sound is read whole and looked at by the helper, a batch at a time, each inflated to a
// file named for its kind: in memory-backed files where the system has a folder of them (a
// sound too large for memory, or none: passing work), removed once looked at.
bool PackSession::inspect(WorkProgress& progress)
{
    constexpr qint64 kBatchBytes = 32 << 20, kLargest = 64 << 20;
    constexpr qsizetype kBatchFiles = 256;
    const QString memory = memoryBackedFolder();
    std::unique_ptr<QTemporaryDir> inMemory;
    if (!memory.isEmpty())
        inMemory = std::make_unique<QTemporaryDir>(memory + QStringLiteral("/sonaplex-sounds-%1-XXXXXX").arg(QCoreApplication::applicationPid()));
    auto inspected = std::make_shared<InspectedSounds>();
    const size_t count = manifest().entries.size();
    std::vector<QString> names(count);
    QHash<QString, QString> named; // a sound named by several entries is looked at once: member and kind -> name
    // The helper looks at one batch while the next is inflated.
    std::future<void> looking;
    QStringList lookedAt;
    auto looked = [&] {
        if (looking.valid())
            looking.get();
        for (const QString& path : std::as_const(lookedAt))
            QFile::remove(path);
        lookedAt.clear();
    };
    for (size_t i = 0; i < count && !progress.cancelled();) {
        QStringList batch;
        qint64 bytes = 0;
        bool whole = true;
        for (; i < count && batch.size() < kBatchFiles && (batch.isEmpty() || bytes + archive_->sizeOf(i) <= kBatchBytes); ++i) {
            const QString member = manifest().entries[i].file + QLatin1Char('\0') + archive_->kindOf(i);
            if (const auto seen = named.constFind(member); seen != named.constEnd()) {
                names[i] = *seen;
                continue;
            }
            const bool small = inMemory && inMemory->isValid() && archive_->sizeOf(i) <= kLargest;
            QTemporaryDir* folder = small ? inMemory.get() : work();
            if (!folder) {
                refused_ = {{}, Say::tr("cannot make a working folder: %1").arg(work_->errorString()), true};
                whole = false;
                break;
            }
            const QString path = QStringLiteral("%1/%2.%3").arg(folder->path()).arg(i + 1).arg(archive_->kindOf(i));
            if (!archive_->inflateTo(i, path, &refused_, &progress)) {
                whole = false;
                break;
            }
            batch << path;
            names[i] = path;
            named.insert(member, path);
            bytes += archive_->sizeOf(i);
        }
        looked();
        lookedAt = batch;
        if (!whole) {
            looked();
            return false;
        }
        looking = std::async(std::launch::async, [inspected, batch] { inspected->add(batch); });
    }
    looked();
    if (progress.cancelled())
        return false;
    inspected_ = std::move(inspected);
    inspectedAs_ = std::move(names);
    return true;
}

bool PackSession::check(ReplacementRecord& record, const QString& gameFolder, const std::vector<ReplacedFile>& known,
    bool overOthers, WorkProgress& progress)
{
    check_ = {};
    refused_ = {};
    converted_.clear();
    notConverted_.clear();
    switching_.reset();
    // A game file holding what Sonaplex put there takes its original's format when converted to.
    keptOriginals_.clear();
    for (const ReplacedFile& f : known)
        if (f.state == GameFileState::Replaced && f.lastHash != f.originalHash && record.store().holds(f.originalHash))
            keptOriginals_.insert(f.gamePath, record.store().pathOf(f.originalHash));
    // What the record remembers of the game files spares reading them again: on its own thread.
    const std::vector<QString> remembered = packRemembered(manifest(), gameFolder, record, &progress);
    progress.setTotal(int(manifest().entries.size()), inspected_ ? 0 : archive_->totalBytes());
    PackCheck found;
    bool inspected = true;
    progress.offload([&] {
        if (!inspected_ && !(inspected = inspect(progress)))
            return;
        found = checkPack(path_, manifest(), inspectedAs_, gameFolder, known, remembered, inspected_->inspection(), overOthers,
            &progress);
    });
    if (progress.cancelled()) {
        refused_ = {};
        return false;
    }
    if (!inspected)
        return false;
    if (!found.refused.isEmpty()) {
        refused_ = found.refused;
        return false;
    }
    check_ = std::move(found);
    // The sounds to apply, as a SWITCH converts them: each inflated when it is first needed.
    std::vector<SwitchItem> items;
    for (const PackItem& item : check_.items)
        if (item.action == PackAction::Replace)
            items.push_back({int(item.entry), item.gamePath, manifest().entries[item.entry].path, item.format, {},
                keptOriginals_.value(item.gamePath)});
    switching_ = std::make_unique<SwitchSession>(SwitchSession::ofPack(
        std::move(items), [this](int entry, QString* why) { return soundFile(size_t(entry), why); }, workTemplate_));
    return true;
}

bool PackSession::mustConvert() const { return switching_ && switching_->mustConvert(); }

bool PackSession::convert(WorkProgress& progress, bool all)
{
    converted_.clear();
    notConverted_.clear();
    if (!switching_)
        return !progress.cancelled(); // nothing checked, nothing to convert
    ConversionChoice choice;
    choice.all = all;
    if (!switching_->convert(choice, progress))
        return false;
    for (const auto& [entry, copy] : switching_->conversions().converted)
        converted_[size_t(entry)] = copy;
    for (const auto& [entry, why] : switching_->conversions().failed)
        notConverted_[size_t(entry)] = why;
    return true;
}

PreparedRun PackSession::apply(ReplacementRecord& record)
{
    PreparedRun prepared{packApplyPlan(check_, archive_, path_, converted_, notConverted_), &record};
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
    return Say::tr("made for %1; %2 of its %3 sounds are in %4")
        .arg(m.gameName.isEmpty() ? m.gameId : m.gameName)
        .arg(found)
        .arg(m.entries.size())
        .arg(shown.gameName);
}

NewPack packOfReplacements(const QString& gameFolder, const std::vector<ReplacedFile>& known, const OriginalStore& store,
    const QString& workTemplate, const std::vector<Game>& games)
{
    return newPack(contentsFromReplacements(gameFolder, known, store, workTemplate), gameFolder, games);
}

NewPack packOfSet(const QString& setFolder, const QString& gameFolder, const std::vector<ReplacedFile>& known,
    const std::vector<Game>& games)
{
    return newPack(contentsFromSet(setFolder, gameFolder, known), gameFolder, games);
}

} // namespace sonaplex
