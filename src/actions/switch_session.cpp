#include "actions/switch_session.h"

#include "audio/analysis.h"
#include "audio/bounded.h"
#include "audio/probe.h"
#include "base/files.h"
#include "base/work_progress.h"
#include "record/replacement_record.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTemporaryDir>

#include <algorithm>
#include <unistd.h>

namespace sonaplex {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(SwitchSession)
};

// Contents the store keeps, under the names of the game files they were (a kept original has no
// name of its own, and a sound is read by its name): each a link in passing work beside the
// store, gone with this object. Falls back to the game file itself when none can be made.
class KeptUnderGameNames {
public:
    QString named(const QString& kept, const QString& gamePath)
    {
        if (!dir_) {
            const QString work = QDir::cleanPath(QFileInfo(kept).absolutePath() + QStringLiteral("/../work"));
            QDir().mkpath(work);
            dir_ = std::make_unique<QTemporaryDir>(
                work + QStringLiteral("/formats-%1-XXXXXX").arg(QCoreApplication::applicationPid()));
        }
        const QString name = dir_->path() + QStringLiteral("/%1-").arg(++count_) + QFileInfo(gamePath).fileName();
        const bool linked = dir_->isValid()
            && (::link(QFile::encodeName(kept).constData(), QFile::encodeName(name).constData()) == 0
                || QFile::copy(kept, name));
        return linked ? name : gamePath;
    }

private:
    std::unique_ptr<QTemporaryDir> dir_;
    int count_ = 0;
};

// Per selection, the kept original whose format its game file takes, or empty: where the game
// file holds what Sonaplex put there last (so that one conversion after another never drifts
// from the game's own format). On the record's thread; no game file is read whole.
std::vector<QString> keptOriginals(ReplacementRecord* record, const std::vector<Selection>& selections)
{
    std::vector<QString> originals(selections.size());
    if (!record || !record->isOpen())
        return originals;
    QHash<QString, std::vector<ReplacedFile>> knownByFolder;
    for (size_t i = 0; i < selections.size(); ++i) {
        const QString& gamePath = selections[i].gamePath;
        if (gamePath.isEmpty())
            continue;
        const QString folder = QFileInfo(gamePath).absolutePath();
        auto known = knownByFolder.find(folder);
        if (known == knownByFolder.end())
            known = knownByFolder.insert(folder, record->knownIn(folder));
        for (const ReplacedFile& f : *known)
            if (f.gamePath == gamePath && !f.lastHash.isEmpty() && record->store().holds(f.originalHash)
                && record->knownHash(gamePath) == f.lastHash)
                originals[i] = record->store().pathOf(f.originalHash);
    }
    return originals;
}

bool complete(const Selection& s) { return !s.gamePath.isEmpty() && !s.replacementPath.isEmpty(); }

} // namespace

FormatCheck selectionFormat(const Selection& s)
{
    // A file that does not answer in time is not compared.
    const QString game = s.gamePath, replacement = s.replacementPath;
    return audio::runBounded<FormatCheck>(
        [game, replacement] { return audio::checkFormats(game, replacement); }, audio::kOpenTimeLimit)
        .value_or(FormatCheck{FormatCheck::State::Same, {}, {}});
}

SwitchSession::SwitchSession(SwitchSession&&) noexcept = default;
SwitchSession& SwitchSession::operator=(SwitchSession&&) noexcept = default;
SwitchSession::~SwitchSession()
{
    if (!workFolder_.isEmpty())
        QDir(workFolder_).removeRecursively();
}

SwitchSession SwitchSession::ofGame(
    ReplacementRecord* record, const ChosenReplacements& chosen, const QString& workTemplate)
{
    SwitchSession s;
    s.record_ = record;
    s.gameFolder_ = chosen.gameFolder;
    s.workTemplate_ = workTemplate;
    for (auto it = chosen.byName.cbegin(); it != chosen.byName.cend(); ++it) {
        const QString& replacement = it.value().replacement;
        s.selections_.push_back({chosen.gameFolder + QLatin1Char('/') + it.key(), it.key(), replacement,
            QFileInfo(replacement).fileName()});
        s.known_.push_back(it.value());
    }
    const std::vector<QString> originals = keptOriginals(record, s.selections_);
    for (size_t i = 0; i < s.selections_.size(); ++i)
        s.items_.push_back({int(i) + 1, s.selections_[i].gamePath, s.selections_[i].gameName, {}, {}, originals[i]});
    return s;
}

SwitchSession SwitchSession::ofSelections(ReplacementRecord* record, const std::vector<Selection>& selections,
    const std::vector<FormatCheck>& checks, ReplacementCheck check, const QString& workTemplate)
{
    SwitchSession s;
    s.record_ = record;
    s.selections_ = selections;
    s.check_ = std::move(check);
    s.workTemplate_ = workTemplate;
    const std::vector<QString> originals = keptOriginals(record, selections);
    for (size_t i = 0; i < selections.size(); ++i)
        if (complete(selections[i]))
            s.items_.push_back({int(i) + 1, selections[i].gamePath,
                Say::tr("Selection %1 (%2)").arg(i + 1).arg(selections[i].gameName),
                i < checks.size() ? checks[i] : FormatCheck{}, {}, originals[i]});
    return s;
}

SwitchSession SwitchSession::ofPack(
    std::vector<SwitchItem> items, std::function<QString(int, QString*)> soundOf, const QString& workTemplate)
{
    SwitchSession s;
    s.items_ = std::move(items);
    s.soundOf_ = std::move(soundOf);
    s.workTemplate_ = workTemplate;
    return s;
}

const SwitchItem* SwitchSession::item(int key) const
{
    for (const SwitchItem& i : items_)
        if (i.key == key)
            return &i;
    return nullptr;
}

bool SwitchSession::readFormats(WorkProgress& progress)
{
    if (gameFolder_.isEmpty())
        return !progress.cancelled(); // the selections' checks were read as they were chosen
    const size_t count = selections_.size();
    std::vector<audio::SoundInfo> games(count), replacements(count);
    std::map<int, QString> refused;
    progress.offload([&] {
        // The files still to read, each under a name of its format: a kept original is read
        // through a link named as its game file, in passing work beside the store.
        // A game file's format is read from its headers: it is only read back, never put in.
        QStringList gamePaths, replacementPaths;
        std::vector<size_t> gameWhose, replacementWhose; // the selection of each path
        KeptUnderGameNames links;
        for (size_t i = 0; i < count; ++i) {
            const Selection& s = selections_[i];
            if (!complete(s))
                continue;
            if (const QString why = outsideFolder(gameFolder_, s.gamePath); !why.isEmpty()) {
                refused[int(i) + 1] = why;
                continue;
            }
            const QString& kept = items_[i].keptOriginal;
            if (kept.isEmpty() && known_[i].gameInfo.ok()) {
                games[i] = known_[i].gameInfo;
            } else {
                gamePaths << (kept.isEmpty() ? s.gamePath : links.named(kept, s.gamePath));
                gameWhose.push_back(i);
            }
            if (known_[i].replacementInfo.ok()) {
                replacements[i] = known_[i].replacementInfo;
            } else {
                replacementPaths << s.replacementPath;
                replacementWhose.push_back(i);
            }
        }
        const std::vector<audio::SoundInfo> gameRead
            = audio::probeInfos(gamePaths, audio::kProbeTimeLimit, audio::ProbeDepth::Headers);
        for (size_t k = 0; k < gameRead.size(); ++k)
            games[gameWhose[k]] = gameRead[k];
        const std::vector<audio::SoundInfo> replacementRead
            = audio::probeInfos(replacementPaths, audio::kProbeTimeLimit);
        for (size_t k = 0; k < replacementRead.size(); ++k)
            replacements[replacementWhose[k]] = replacementRead[k];
        for (size_t i = 0; i < count; ++i) {
            const Selection& s = selections_[i];
            const int n = int(i) + 1;
            if (!complete(s) || refused.count(n))
                continue;
            const audio::SoundInfo& game = games[i];
            const audio::SoundInfo& replacement = replacements[i];
            // A file not read is no verdict: the selection is refused with the cause.
            if (!replacement.ok())
                refused[n] = replacement.error.isEmpty() ? Say::tr("%1 was not read").arg(s.replacementName)
                                                         : replacement.error;
            else if (!game.ok())
                refused[n] = Say::tr("the game file cannot be read, so its format is not known: %1")
                                 .arg(game.error.isEmpty() ? s.gameName : game.error);
            else if (const QString damaged
                     = known_[i].pagesChecked ? QString() : damagedWhole(s.replacementPath, replacement);
                     !damaged.isEmpty())
                refused[n] = damaged;
        }
    });
    if (progress.cancelled())
        return false;
    refused_ = std::move(refused);
    for (size_t i = 0; i < count; ++i) {
        items_[i].gameFormat = games[i];
        items_[i].format = refused_.count(int(i) + 1) || !complete(selections_[i])
            ? FormatCheck{}
            : audio::checkFormats(games[i], replacements[i]);
    }
    return true;
}

bool SwitchSession::mustConvert() const
{
    return std::any_of(items_.begin(), items_.end(), [this](const SwitchItem& i) {
        return !refused_.count(i.key) && conversionNeed(i.format) == ConversionNeed::Required;
    });
}

std::vector<int> SwitchSession::toConvert(const ConversionChoice& choice) const
{
    std::vector<int> keys;
    for (const SwitchItem& i : items_) {
        if (refused_.count(i.key))
            continue;
        const ConversionNeed need = conversionNeed(i.format);
        const bool converted = need == ConversionNeed::Required
            || (need == ConversionNeed::Optional && choice.all && !choice.asIs.count(i.key));
        if (converted || (choice.loopWhole && i.format.loopMissing))
            keys.push_back(i.key);
    }
    return keys;
}

QString SwitchSession::workFolder()
{
    if (!workFolder_.isEmpty())
        return QDir().mkpath(workFolder_) ? workFolder_ : QString();
    if (!work_) {
        // Converted copies are passing work: made where no set is listed, removed with the
        // session (or at the next start, after a crash); in the system's temporary folder when
        // the program folder cannot take them.
        QDir().mkpath(QFileInfo(workTemplate_).absolutePath());
        work_ = std::make_unique<QTemporaryDir>(workTemplate_);
        if (!work_->isValid())
            work_ = std::make_unique<QTemporaryDir>();
    }
    return work_->isValid() ? work_->path() : QString();
}

bool SwitchSession::convert(const ConversionChoice& choice, WorkProgress& progress)
{
    conversions_ = {};
    loopedWhole_.clear();
    chosen_ = choice;
    const std::vector<int> keys = toConvert(choice);
    if (keys.empty())
        return !progress.cancelled();
    const QString folder = workFolder();
    progress.setTotal(int(keys.size()), 0);
    Conversions made;
    progress.offload([&] {
        std::vector<ConversionJob> jobs;
        KeptUnderGameNames originals;
        for (int key : keys) {
            const SwitchItem& i = *item(key);
            QString why;
            const QString source = soundOf_ ? soundOf_(key, &why) : selections_[size_t(key - 1)].replacementPath;
            if (folder.isEmpty())
                why = Say::tr("the converted copy cannot be made: no folder for passing work can be made");
            if (source.isEmpty() || folder.isEmpty()) {
                made.failed[key] = why;
                continue;
            }
            const bool looped = choice.loopWhole && i.format.loopMissing;
            // Named as the game file is, so that it is written (and read back) as that format.
            jobs.push_back(
                {key, source, i.keptOriginal.isEmpty() ? i.gamePath : originals.named(i.keptOriginal, i.gamePath),
                    folder + QStringLiteral("/%1-%2").arg(key).arg(QFileInfo(i.gamePath).fileName()),
                    choice.matchLoudness, looped ? audio::LoopChoice::Whole : audio::LoopChoice::Own, i.gameFormat});
        }
        Conversions converted = convertReplacements(jobs, progress);
        made.cancelled = converted.cancelled;
        made.converted = std::move(converted.converted);
        made.failed.insert(converted.failed.begin(), converted.failed.end());
    });
    if (made.cancelled || progress.cancelled())
        return false;
    conversions_ = std::move(made);
    if (choice.loopWhole)
        for (const auto& [key, copy] : conversions_.converted)
            if (item(key)->format.loopMissing)
                loopedWhole_.insert(key);
    return true;
}

FormatFate SwitchSession::fate(int key) const
{
    if (conversions_.converted.count(key))
        return FormatFate::Converted;
    if (conversions_.failed.count(key))
        return FormatFate::NotConverted;
    const SwitchItem* i = item(key);
    const ConversionNeed need = i ? conversionNeed(i->format) : ConversionNeed::None;
    // One that must be converted and was not cannot be put in as it is.
    return need == ConversionNeed::Required ? FormatFate::NotConverted
        : need == ConversionNeed::Optional  ? FormatFate::CopiedAsIs
                                            : FormatFate::Kept;
}

PreparedRun SwitchSession::prepare(bool skipUnchanged)
{
    // The plan refuses what the game file cannot take by its name (soundFit), per selection.
    Plan plan = switchPlan(selections_, check_, conversions_.converted, conversions_.failed, refused_);
    plan.skipUnchanged = skipUnchanged;
    return PreparedRun(std::move(plan), record_);
}

} // namespace sonaplex
