#include "packs/frm_packs.h"

#include "base/files.h"
#include "ui/window_names.h"

#include "audio/analysis.h"
#include "readers/backup_manifest.h"
#include "readers/games.h"
#include "ui/installed_games.h"
#include "ui/long_work.h"
#include "ui/messages.h"
#include "ui/sample_player.h"
#include "ui/window_parts.h"
#include "words/report_words.h"

#include <QAbstractTableModel>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTreeView>
#include <QVBoxLayout>

#include <tuple>

namespace sonaplex {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(FrmPacks)
};

QString kTitle() { return Say::tr("Sound Packs"); }
QString kFilter() { return Say::tr("Sound packs (*.sonaplexpack)"); }
enum Column { GameFile, Now, Format, Will };

} // namespace

// The check's rows, answered as the list asks for them: a pack may have thousands.
class PackEntriesModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;
    void reset(const PackManifest* manifest, const PackCheck* check)
    {
        beginResetModel();
        manifest_ = manifest;
        check_ = check;
        endResetModel();
    }
    const PackItem* itemAt(const QModelIndex& index) const
    {
        return check_ && index.isValid() && size_t(index.row()) < check_->items.size() ? &check_->items[size_t(index.row())]
                                                                                       : nullptr;
    }
    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() || !check_ ? 0 : int(check_->items.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 4; }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return {};
        static const char* const names[]
            = {QT_TRANSLATE_NOOP("FrmPacks", "Game file"), QT_TRANSLATE_NOOP("FrmPacks", "Now"),
                QT_TRANSLATE_NOOP("FrmPacks", "Format"), QT_TRANSLATE_NOOP("FrmPacks", "Will")};
        return Say::tr(names[section]);
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        const PackItem* item = itemAt(index);
        if (!item || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
            return {};
        const bool differs = item->format.state == FormatCheck::State::Differs;
        switch (index.column()) {
        case GameFile:
            return manifest_->entries[item->entry].path;
        case Now:
            return item->state == PackState::Replaced
                ? packStateWords(item->state) + QStringLiteral(" (%1)").arg(QFileInfo(item->replacedBy).fileName())
                : packStateWords(item->state);
        case Format:
            if (role == Qt::ToolTipRole)
                return differs ? audio::formatDifference(item->format) : QVariant();
            return differs                                       ? Say::tr("differs")
                : item->format.state == FormatCheck::State::Same ? Say::tr("same")
                                                                 : QStringLiteral("\u2013");
        default:
            return packActionWords(item->action);
        }
    }

private:
    const PackManifest* manifest_ = nullptr;
    const PackCheck* check_ = nullptr;
};

namespace {
audio::DeviceKind kindOf(const QString& path) { return audio::deviceKindOf(path, audio::DeviceKind::WaveAudio); }
} // namespace

FrmPacks::FrmPacks(Forms& forms)
    : Form(forms, windowName::FrmPacks, Say::tr("Sonaplex/Sound Packs"), CloseBox),
      packLabel_(makeLabel(QStringLiteral("LblPackFile"), Say::tr("No pack is open."), this)),
      games_(new QComboBox(this)), title_(makeLabel(QStringLiteral("LblPackTitle"), QString(), this)),
      entries_(new QTreeView(this)), model_(new PackEntriesModel(this)),
      soundPlayer_(new SamplePlayer(forms.audio(), this)), gamePlayer_(new SamplePlayer(forms.audio(), this)),
      overOthers_(new QCheckBox(Say::tr("Replace files other &replacements changed"), this)),
      convert_(new QCheckBox(Say::tr("Con&vert sounds to their game file's format"), this)),
      matchLoudness_(new QCheckBox(Say::tr("Match loudness"), this)), sets_(new QComboBox(this)),
      author_(new QLineEdit(this)), description_(new QLineEdit(this)),
      summary_(makeLabel(QStringLiteral("LblPackSummary"), QString(), this))
{
    helpOn(QString(windowName::FrmPacksHelp)); // F1
    setUpControls();
    connect(overOthers_, &QCheckBox::toggled, this, [this] { recheck(); });
    connect(entries_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &FrmPacks::entryChosen);
    connect(games_, &QComboBox::activated, this, [this](int i) { showGame(games_->itemData(i).toString()); });

    auto button = [this](const char* name, const char* caption, const char* tip, void (FrmPacks::*handler)()) {
        auto* b = makeButton(QLatin1String(name), Say::tr(caption), Say::tr(tip), this);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, handler);
        return b;
    };
    auto* open = button("CmdOpenPack", QT_TRANSLATE_NOOP("FrmPacks", "&Open Pack..."),
        QT_TRANSLATE_NOOP("FrmPacks", "Open a sound pack and check it against the game."),
        &FrmPacks::CmdOpenPack_Click);
    auto* chooseGame = button("CmdChooseGame", QT_TRANSLATE_NOOP("FrmPacks", "Game &Folder..."),
        QT_TRANSLATE_NOOP("FrmPacks", "Choose the game folder the pack is for."), &FrmPacks::CmdChooseGame_Click);
    auto* compare = button("CmdComparePack", QT_TRANSLATE_NOOP("FrmPacks", "Compare A/B"),
        QT_TRANSLATE_NOOP("FrmPacks",
            "Switch between the pack's sound and the game file at the "
            "same moment (Ctrl+B)."),
        &FrmPacks::CmdComparePack_Click);
    auto* compareKey = new QShortcut(QKeySequence(QStringLiteral("Ctrl+B")), this);
    connect(compareKey, &QShortcut::activated, this, &FrmPacks::CmdComparePack_Click);
    auto* apply = button("CmdApplyPack", QT_TRANSLATE_NOOP("FrmPacks", "&Apply Pack"),
        QT_TRANSLATE_NOOP("FrmPacks",
            "Replace the game's files with the pack's sounds, in one run "
            "that can be undone."),
        &FrmPacks::CmdApplyPack_Click);
    auto* remove = button("CmdRemovePack", QT_TRANSLATE_NOOP("FrmPacks", "&Take Pack Off"),
        QT_TRANSLATE_NOOP("FrmPacks", "Put back what the pack replaced."), &FrmPacks::CmdRemovePack_Click);
    auto* fromGame = button("CmdPackFromGame", QT_TRANSLATE_NOOP("FrmPacks", "Pack This &Game's Replacements..."),
        QT_TRANSLATE_NOOP("FrmPacks", "Make a pack of what Sonaplex replaced in the game."),
        &FrmPacks::CmdPackFromGame_Click);
    auto* fromSet = button("CmdPackFromSet", QT_TRANSLATE_NOOP("FrmPacks", "Pack &Set..."),
        QT_TRANSLATE_NOOP("FrmPacks", "Make a pack of the chosen saved set, for the game."),
        &FrmPacks::CmdPackFromSet_Click);
    auto* close = button("CmdClosePacks", QT_TRANSLATE_NOOP("FrmPacks", "Close"),
        QT_TRANSLATE_NOOP("FrmPacks", "Return to the previous window."), &FrmPacks::CmdClosePacks_Click);
    needPack_ = {apply, remove, compare};
    needGame_ = {fromGame, fromSet};

    auto* top = new QGridLayout;
    top->addWidget(makeLabel(QStringLiteral("LblPack"), Say::tr("Pack:"), this), 0, 0);
    top->addWidget(packLabel_, 0, 1);
    top->addWidget(open, 0, 2);
    top->addWidget(makeLabel(QStringLiteral("LblPackGame"), Say::tr("Game:"), this), 1, 0);
    top->addWidget(games_, 1, 1);
    top->addWidget(chooseGame, 1, 2);
    top->setColumnStretch(1, 1);
    auto* players = new QGridLayout;
    players->addWidget(makeLabel(QStringLiteral("LblPackSound"), Say::tr("The pack's sound"), this), 0, 0);
    players->addWidget(makeLabel(QStringLiteral("LblPackGameFile"), Say::tr("The game file"), this), 0, 1);
    players->addWidget(soundPlayer_, 1, 0);
    players->addWidget(gamePlayer_, 1, 1);
    auto* compareRow = new QHBoxLayout;
    compareRow->addWidget(compare);
    compareRow->addWidget(matchLoudness_);
    compareRow->addStretch(1);
    compareRow->addWidget(overOthers_);
    compareRow->addWidget(convert_);
    auto* actions = new QHBoxLayout;
    actions->addWidget(apply);
    actions->addWidget(remove);
    actions->addStretch(1);
    actions->addWidget(close);
    auto* about = new QHBoxLayout;
    for (auto [name, caption, field, stretch] :
        {std::tuple{"LblPackAuthor", QT_TRANSLATE_NOOP("FrmPacks", "A&uthor:"), author_, 1},
            std::tuple{"LblPackDescription", QT_TRANSLATE_NOOP("FrmPacks", "&Description:"), description_, 3}}) {
        QLabel* label = makeLabel(QLatin1String(name), Say::tr(caption), this);
        label->setBuddy(field); // Alt and the underlined letter go to the field
        about->addWidget(label);
        about->addWidget(field, stretch);
    }
    auto* making = new QHBoxLayout;
    making->addWidget(fromGame);
    making->addStretch(1);
    making->addWidget(makeLabel(QStringLiteral("LblPackSets"), Say::tr("Set:"), this));
    making->addWidget(sets_);
    making->addWidget(fromSet);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(title_);
    layout->addWidget(entries_, 1);
    layout->addLayout(players);
    layout->addLayout(compareRow);
    layout->addWidget(summary_);
    layout->addLayout(actions);
    layout->addLayout(about);
    layout->addLayout(making);
    connect(&forms.games(), &InstalledGames::found, this, &FrmPacks::fillGames);
}

// Names, tips and sizes of the window's controls.
void FrmPacks::setUpControls()
{
    games_->setObjectName(QStringLiteral("CboPackGame"));
    games_->setAccessibleName(Say::tr("Game"));
    games_->setToolTip(Say::tr("The game the pack is checked against and applied to."));
    games_->setMinimumWidth(260);
    title_->setWordWrap(true);
    entries_->setObjectName(QStringLiteral("LstPackEntries"));
    entries_->setAccessibleName(Say::tr("The pack's sounds"));
    entries_->setModel(model_);
    entries_->setRootIsDecorated(false);
    entries_->setUniformRowHeights(true);
    entries_->header()->setSectionResizeMode(GameFile, QHeaderView::Stretch);
    entries_->header()->setStretchLastSection(false);
    // Sized for their longest words, not measured over every row: a pack may have thousands.
    // Each as wide as its longest word or its heading, in the language the program speaks.
    const QFontMetrics metrics(entries_->font());
    const int pad = 24;
    auto fit = [&](int column, const QString& longest) {
        const int heading = entries_->header()->fontMetrics().horizontalAdvance(
            model_->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString());
        entries_->header()->resizeSection(column, std::max(metrics.horizontalAdvance(longest), heading) + pad);
    };
    fit(Now, packStateWords(PackState::Other));
    fit(Format, Say::tr("differs"));
    fit(Will, packActionWords(PackAction::Keep));
    entries_->setMinimumSize(640, 220);
    soundPlayer_->setObjectName(QStringLiteral("PlyPackSound"));
    soundPlayer_->setAccessibleName(Say::tr("The pack's sound"));
    gamePlayer_->setObjectName(QStringLiteral("PlyPackGameFile"));
    gamePlayer_->setAccessibleName(Say::tr("The game file"));
    overOthers_->setObjectName(QStringLiteral("ChkPackOverOthers"));
    overOthers_->setToolTip(Say::tr("Files another pack or a SWITCH replaced are left as they are unless this "
                                    "is ticked."));
    convert_->setObjectName(QStringLiteral("ChkPackConvert"));
    convert_->setToolTip(Say::tr("Sounds whose format differs from their game file's are converted to it; "
                                 "otherwise they are copied as they are (a sound in another container or codec, "
                                 "Ogg Vorbis for a wave file say, is always converted)."));
    matchLoudness_->setObjectName(QStringLiteral("ChkPackMatchLoudness"));
    sets_->setObjectName(QStringLiteral("CboPackSets"));
    sets_->setAccessibleName(Say::tr("Saved sets"));
    author_->setObjectName(QStringLiteral("TxtPackAuthor"));
    author_->setAccessibleName(Say::tr("Author"));
    author_->setPlaceholderText(Say::tr("Who made the pack"));
    description_->setObjectName(QStringLiteral("TxtPackDescription"));
    description_->setAccessibleName(Say::tr("Description"));
    description_->setPlaceholderText(Say::tr("What the pack changes, shown to whoever opens it"));
    author_->setToolTip(Say::tr("Written into the next pack made here."));
    description_->setToolTip(author_->toolTip());
    summary_->setWordWrap(true);
}

FrmPacks::~FrmPacks() = default;

void FrmPacks::formLoad()
{
    forms().games().search();
    fillGames();
    showChecked();
}

void FrmPacks::fillGames()
{
    const QString shown = folder_;
    games_->clear();
    for (const Game& g : forms().games().games())
        games_->addItem(QStringLiteral("%1 (%2)").arg(g.name, launcherName(g.launcher)), g.folder);
    if (!shown.isEmpty() && games_->findData(shown) < 0)
        games_->addItem(QDir::toNativeSeparators(shown), shown);
    games_->setCurrentIndex(shown.isEmpty() ? -1 : games_->findData(shown));
    // A pack opened before the search for installed games ended (given at start) finds its game now.
    if (shown.isEmpty() && pack_.isOpen())
        if (const Game* g = gameOfPack(pack_.manifest(), forms().games().games()))
            showGame(g->folder);
}

// The sets a pack can be made of, read again each time the window shows: backup sets (game
// files, not replacements) and sets holding no sound are not offered.
void FrmPacks::fillSets()
{
    const QString current = sets_->currentText();
    sets_->clear();
    const ProgramFolder layout = forms().folders();
    for (const QString& name : layout.setNames()) {
        const QString folder = layout.set(name);
        const QStringList files = hasManifest(folder) ? QStringList() : filesBelow(folder);
        if (std::any_of(files.begin(), files.end(), [](const QString& f) { return isSoundName(f); }))
            sets_->addItem(name);
    }
    if (const int at = sets_->findText(current); at >= 0)
        sets_->setCurrentIndex(at);
}

void FrmPacks::showEvent(QShowEvent* event)
{
    fillSets();
    Form::showEvent(event);
}

void FrmPacks::CmdOpenPack_Click()
{
    const QString chosen = chooseFile(Say::tr("Open a Sound Pack"),
        pack_.path().isEmpty() ? QDir::homePath() : QFileInfo(pack_.path()).absolutePath(), kFilter(), false, this);
    if (!chosen.isEmpty())
        openPack(chosen);
}

void FrmPacks::openPack(const QString& path)
{
    const QString packPath = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    PackSession next; // the pack open now stays open unless this one can be used
    bool opened = false;
    {
        LongWork work(this, Say::tr("Reading the pack\u2026"));
        opened = next.open(packPath, forms().folders().workTemplate(QStringLiteral("Pack")), work.progress());
    }
    if (!opened) {
        const PackRefusal refused = next.refused();
        if (!refused.isEmpty())
            showMessage(Say::tr("%1 cannot be used, and nothing was written:\n\n%2%3")
                            .arg(QFileInfo(packPath).fileName(), packRefusalWords(refused),
                                pack_.isOpen() ? Say::tr("\n\n%1 stays open.").arg(QFileInfo(pack_.path()).fileName())
                                               : QString()),
                kTitle(), this);
        return;
    }
    soundPlayer_->closeFile();
    gamePlayer_->closeFile();
    pack_ = std::move(next);
    packLabel_->setText(QDir::toNativeSeparators(packPath));
    // The game it is for, when it is installed and no game is shown yet.
    if (folder_.isEmpty())
        if (const Game* g = gameOfPack(pack_.manifest(), forms().games().games())) {
            showGame(g->folder);
            return;
        }
    recheck();
}

void FrmPacks::CmdChooseGame_Click()
{
    const QString chosen
        = chooseFolder(Say::tr("Choose the game folder"), folder_.isEmpty() ? QDir::homePath() : folder_, this);
    if (!chosen.isEmpty())
        showGame(chosen);
}

void FrmPacks::showGame(const QString& folder)
{
    // Known by what it is, as the other windows and the commands name it (see realFolder).
    folder_ = realFolder(folder);
    fillGames();
    recheck();
}

void FrmPacks::makePackOfGame(const QString& folder)
{
    showGame(folder);
    CmdPackFromGame_Click();
}

std::vector<ReplacedFile> FrmPacks::knownUnder(const QString& folder, bool* read)
{
    std::vector<ReplacedFile> known;
    ReplacementRecord* record = forms().record();
    FileResult listed = FileResult::failure(Say::tr("no record of replacements is kept"));
    if (record && record->isOpen()) {
        LongWork work(this, Say::tr("Reading the game files Sonaplex replaced\u2026"));
        known = record->readUnder(folder, &work.progress(), &listed);
    }
    *read = listed.ok;
    if (!listed)
        showMessage(Say::tr("The record of replacements cannot be read: %1").arg(listed.error), kTitle(), this);
    return known;
}

void FrmPacks::recheck()
{
    pack_.forgetCheck();
    if (pack_.isOpen() && !folder_.isEmpty() && QFileInfo(folder_).isDir()) {
        bool read = false;
        const std::vector<ReplacedFile> known = knownUnder(folder_, &read);
        if (read) {
            LongWork work(this, Say::tr("Checking the pack against the game\u2026"));
            (void)pack_.check(*forms().record(), folder_, known, overOthers_->isChecked(), work.progress());
        }
    }
    showChecked();
    if (!pack_.refused().isEmpty())
        showMessage(Say::tr("%1 cannot be applied to this game, and nothing was written:\n\n%2")
                        .arg(QFileInfo(pack_.path()).fileName(), packRefusalWords(pack_.refused())),
            kTitle(), this);
}

void FrmPacks::showChecked()
{
    const bool open = pack_.isOpen();
    model_->reset(open ? &pack_.manifest() : nullptr, &pack_.checked());
    soundPlayer_->closeFile();
    gamePlayer_->closeFile();
    const bool checked = open && !pack_.checked().items.empty();
    title_->setText(open ? packTitle(pack_.manifest())
                + (pack_.manifest().description.isEmpty() ? QString() : QStringLiteral("\n") + pack_.manifest().description)
                         : QString());
    for (QPushButton* b : needPack_)
        b->setEnabled(checked);
    for (QPushButton* b : needGame_)
        b->setEnabled(!folder_.isEmpty());
    if (!checked) {
        summary_->setText(!open     ? Say::tr("Open a pack to see what it would change.")
                : folder_.isEmpty() ? Say::tr("Choose the game the pack is for.")
                                    : QString());
        return;
    }
    int replace = 0, keep = 0, differ = 0;
    for (const PackItem& item : pack_.checked().items) {
        replace += item.action == PackAction::Replace;
        keep += item.action == PackAction::Keep;
        differ += item.format.state == FormatCheck::State::Differs;
    }
    QString summary
        = Say::tr("%1 of %2 sounds will replace their game files.").arg(replace).arg(pack_.checked().items.size());
    // A pack made for another game says so before anything else.
    const auto found = std::count_if(pack_.checked().items.begin(), pack_.checked().items.end(),
        [](const PackItem& item) { return item.state != PackState::Missing; });
    if (QString other = madeForAnotherGame(pack_.manifest(), folder_, forms().games().games(), int(found)); !other.isEmpty()) {
        other[0] = other[0].toUpper();
        summary = other + QStringLiteral(". ") + summary;
    }
    if (keep > 0)
        summary += Say::tr(" %n game file(s) another replacement changed stay as they are.", nullptr, int(keep));
    if (differ > 0)
        summary += Say::tr(" %n sound(s) differ in format from their game files.", nullptr, int(differ));
    summary_->setText(summary);
    entries_->setCurrentIndex(model_->index(0, 0));
}

void FrmPacks::entryChosen()
{
    const PackItem* item = model_->itemAt(entries_->currentIndex());
    if (!item || !pack_.isOpen())
        return;
    QString why;
    if (const QString sound = pack_.soundFile(item->entry, &why); !sound.isEmpty())
        soundPlayer_->openFile(kindOf(sound), sound);
    else
        soundPlayer_->closeFile();
    if (item->state != PackState::Missing)
        gamePlayer_->openFile(kindOf(item->gamePath), item->gamePath);
    else
        gamePlayer_->closeFile();
}

void FrmPacks::CmdComparePack_Click() { compareAB(gamePlayer_, soundPlayer_, matchLoudness_->isChecked()); }

void FrmPacks::afterRun(const Report& run, const QString& done, const QString& verb)
{
    showRunReport(run, done, verb, kTitle(), kTitle(), this);
    recheck();
}

void FrmPacks::CmdApplyPack_Click()
{
    ReplacementRecord* record = forms().record();
    if (!pack_.isOpen() || pack_.checked().items.empty() || !record)
        return;
    if (pack_.checked().forAnotherGame()) {
        QString words = packForAnotherGameWords(pack_.manifest().gameName, folder_);
        words[0] = words[0].toUpper();
        showMessage(words, kTitle(), this);
        return;
    }
    soundPlayer_->closeFile();
    gamePlayer_->closeFile();
    // A sound in another container or codec is converted whether or not the box is ticked: a
    // game cannot read it as it is.
    if (convert_->isChecked() || pack_.mustConvert()) {
        LongWork work(this, Say::tr("Converting\u2026"));
        if (!pack_.convert(work.progress(), convert_->isChecked()))
            return;
    }
    const PreparedRun applying = pack_.apply(*record);
    if (applying.nothingToDo()) {
        showMessage(Say::tr("Nothing to apply: every sound of the pack the game has is in place."), kTitle(), this);
        return;
    }
    Report report;
    {
        LongWork work(this, Say::tr("Applying the pack\u2026"));
        report = applying.start(&work.progress());
    }
    afterRun(report, packAppliedWords(report.done()), Say::tr("replaced"));
}

void FrmPacks::CmdRemovePack_Click()
{
    ReplacementRecord* record = forms().record();
    if (!pack_.isOpen() || folder_.isEmpty() || !record)
        return;
    soundPlayer_->closeFile();
    gamePlayer_->closeFile();
    bool read = false;
    const std::vector<ReplacedFile> known = knownUnder(folder_, &read);
    if (!read)
        return;
    Report report;
    bool nothing = false;
    {
        LongWork work(this, Say::tr("Taking the pack off\u2026"));
        const PreparedRun takingOff = pack_.takeOff(*record, folder_, known, nullptr, &work.progress());
        nothing = takingOff.nothingToDo();
        if (!nothing)
            report = takingOff.start(&work.progress());
    }
    if (nothing) {
        showMessage(Say::tr("No file of this game holds a sound of this pack."), kTitle(), this);
        return;
    }
    afterRun(report, packRemovedWords(report.done()), Say::tr("put back"));
}

void FrmPacks::writePackOf(NewPack pack, const QString& defaultName)
{
    if (!pack.contents.problems.isEmpty()) {
        showMessage(
            Say::tr("No pack was written:\n\n%1").arg(pack.contents.problems.join(QLatin1Char('\n'))), kTitle(), this);
        return;
    }
    if (!pack.holdsSounds()) {
        showMessage(Say::tr("There is nothing to put in a pack."), kTitle(), this);
        return;
    }
    const QString name = askText(kTitle(), Say::tr("The pack's name:"), defaultName, this);
    if (name.trimmed().isEmpty())
        return;
    QString out = chooseFile(Say::tr("Save the Sound Pack"), QDir::homePath() + QLatin1Char('/') + name + packSuffix(),
        kFilter(), true, this);
    if (out.isEmpty())
        return;
    if (!out.endsWith(packSuffix()))
        out += packSuffix();
    PackManifest& m = pack.manifest;
    m.name = name.trimmed();
    m.author = author_->text().trimmed();
    m.description = description_->text().trimmed();
    FileResult written;
    {
        LongWork work(this, Say::tr("Writing the pack\u2026"));
        work.progress().offload([&] { written = writePack(out, m, pack.contents.files); });
    }
    if (!written) {
        showMessage(Say::tr("The pack was not written: %1").arg(written.error), kTitle(), this);
        return;
    }
    const QString said = Say::tr("%1: %n sound(s) written to %2", nullptr, int(m.entries.size()))
                                 .arg(packTitle(m), QDir::toNativeSeparators(out));
    showMessage(pack.contents.leftOut.isEmpty()
            ? said
            : said + QStringLiteral("\n\n") + pack.contents.leftOut.join(QLatin1Char('\n')),
        kTitle(), this);
}

void FrmPacks::CmdPackFromGame_Click()
{
    ReplacementRecord* record = forms().record();
    if (folder_.isEmpty() || !record)
        return;
    bool read = false;
    const std::vector<ReplacedFile> known = knownUnder(folder_, &read);
    if (!read)
        return;
    NewPack pack = packOfReplacements(
        folder_, known, record->store(), forms().folders().workTemplate(QStringLiteral("Pack")), forms().games().games());
    if (!pack.holdsSounds()) {
        showMessage(
            Say::tr("Sonaplex has replaced no file of this game that still holds its replacement."), kTitle(), this);
        return;
    }
    writePackOf(std::move(pack), Say::tr("%1 sounds").arg(QFileInfo(folder_).fileName()));
}

void FrmPacks::CmdPackFromSet_Click()
{
    if (folder_.isEmpty() || sets_->currentText().isEmpty()) {
        showMessage(Say::tr("Choose the game and the set first."), kTitle(), this);
        return;
    }
    bool read = false;
    const std::vector<ReplacedFile> known = knownUnder(folder_, &read);
    if (!read)
        return;
    NewPack pack;
    {
        LongWork work(this, Say::tr("Finding the set's files in the game\u2026"));
        const QString set = forms().folders().set(sets_->currentText());
        const std::vector<Game> games = forms().games().games();
        work.progress().offload([&] { pack = packOfSet(set, folder_, known, games); });
    }
    writePackOf(std::move(pack), sets_->currentText());
}

void FrmPacks::CmdClosePacks_Click()
{
    soundPlayer_->closeFile();
    gamePlayer_->closeFile();
    // The inflated sounds may take as much room as the pack: they go with the window.
    pack_.close();
    packLabel_->setText(Say::tr("No pack is open."));
    showChecked();
    forms().hide(*this);
}

} // namespace sonaplex
