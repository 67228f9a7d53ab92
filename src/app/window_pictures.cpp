#include "app/window_pictures.h"

#include "app/windows.h"

#include "backup/frm_backups.h"
#include "backup/frm_set_names.h"
#include "effects/frm_copy_wavs.h"
#include "effects/frm_wav_select.h"
#include "game/frm_game.h"
#include "music/frm_copy_midi.h"
#include "music/frm_midi.h"
#include "packs/frm_packs.h"
#include "restore/frm_restore.h"
#include "ui/browser_pane.h"
#include "ui/sample_player.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QLayout>
#include <QTemporaryDir>
#include <QThread>

namespace sonaplex {

namespace {

// The passing name of the folder the pictures' example lies in, while it lies there: never shown.
QString exampleFolderName;

// The example a picture shows: a game's folders and the user's own files, in a scratch
// program folder of its own, with a window registry of its own, so that nothing of the
// running program is touched.
class ExampleSession {
public:
    // The example windows' players share the program's audio host: its synthesizer is loaded
    // once, not once per picture.
    explicit ExampleSession(std::shared_ptr<audio::AudioHost> audio) : forms_(folder_.path(), nullptr, std::move(audio))
    {
        exampleFolderName = QFileInfo(folder_.path()).fileName();
        registerWindows(forms_);
        make(QStringLiteral("Games/BlackJack/MIDI"), {"TITLE.MID", "WIN.MID", "LOSE.MID", "SHUFFLE.MID"});
        make(QStringLiteral("My Music"), {"bluesy.mid", "jazzy.mid", "march.mid", "swing.mid"});
        make(QStringLiteral("Games/MrPatt/Sounds"),
            {"BOUNCE.WAV", "CRASH.WAV", "DOOR.WAV", "JUMP.WAV", "LASER.WAV", "WIN.WAV"});
        make(QStringLiteral("Effects"), {"boing.wav", "cymbal.wav", "creak.wav", "hop.wav", "zap.wav", "cheer.wav"});
        make(
            QStringLiteral("MrPattTZone"), {"BOUNCE.WAV", "CRASH.WAV", "DOOR.WAV", "JUMP.WAV", "LASER.WAV", "WIN.WAV"});
    }

    FrmMidi& music()
    {
        FrmMidi& w = quiet(forms_.load<FrmMidi>());
        if (!musicFilled_) {
            musicFilled_ = true;
            const char* games[] = {"TITLE.MID", "WIN.MID", "LOSE.MID"};
            const char* mine[] = {"jazzy.mid", "march.mid", "bluesy.mid"};
            for (int n = 1; n <= 3; ++n) {
                pick(w.gamePane(), path("Games/BlackJack/MIDI"), QLatin1String(games[n - 1]));
                w.board()->chooseGame(n);
                pick(w.replacementPane(), path("My Music"), QLatin1String(mine[n - 1]));
                w.board()->chooseReplacement(n);
            }
            silence(w);
        }
        return w;
    }

    FrmWavSelect& effects(const QString& replacementFolder = QStringLiteral("Effects"))
    {
        FrmWavSelect& w = quiet(forms_.load<FrmWavSelect>());
        if (!effectsFilled_) {
            effectsFilled_ = true;
            const char* games[] = {"BOUNCE.WAV", "CRASH.WAV", "DOOR.WAV", "JUMP.WAV", "LASER.WAV", "WIN.WAV"};
            const char* mine[] = {"boing.wav", "cymbal.wav", "creak.wav", "hop.wav", "zap.wav", "cheer.wav"};
            for (int n = 1; n <= 6; ++n) {
                pick(w.gamePane(), path("Games/MrPatt/Sounds"), QLatin1String(games[n - 1]));
                w.board()->chooseGame(n);
                pick(w.replacementPane(), path("Effects"), QLatin1String(mine[n - 1]));
                w.board()->chooseReplacement(n);
            }
        }
        if (replacementFolder != QLatin1String("Effects"))
            pick(w.replacementPane(), path(replacementFolder), QStringLiteral("BOUNCE.WAV"));
        silence(w);
        return w;
    }

    template <class F> F& window() { return quiet(forms_.load<F>()); }

    QString path(const char* relative) const { return path(QString::fromLatin1(relative)); }
    QString path(const QString& relative) const { return folder_.path() + QLatin1Char('/') + relative; }

private:
    void make(const QString& relative, std::initializer_list<const char*> names)
    {
        QDir().mkpath(path(relative));
        // Each a real sound of its kind, so that they can be chosen as replacements.
        static const QByteArray midi = QByteArray::fromHex("4d546864000000060000000101e0"
                                                           "4d54726b0000000c"
                                                           "00903c40"
                                                           "60803c00"
                                                           "00ff2f00");
        static const QByteArray wave = QByteArray::fromHex("52494646280000005741564566"
                                                           "6d74201000000001000100"
                                                           "401f0000401f0000010008006461746104000000"
                                                           "80808080");
        for (const char* name : names) {
            QFile f(path(relative) + QLatin1Char('/') + QLatin1String(name));
            if (f.open(QIODevice::WriteOnly))
                f.write(QString::fromLatin1(name).endsWith(QLatin1String(".mid"), Qt::CaseInsensitive) ? midi : wave);
        }
    }

    // The example windows carry no window name, so that nothing looking for the program's
    // own windows by name ever finds them.
    template <class F> static F& quiet(F& w)
    {
        w.setObjectName(QString());
        return w;
    }

    static void pick(BrowserPane* pane, const QString& folder, const QString& name)
    {
        pane->folders()->setPath(folder);
        QElapsedTimer t;
        t.start();
        while (pane->files()->isListing() && t.elapsed() < 3000) {
            QCoreApplication::sendPostedEvents();
            QThread::msleep(1);
        }
        pane->files()->setFileName(name);
    }

    // The players are closed: a picture shows them idle.
    static void silence(SelectionWindow& w)
    {
        w.gamePane()->player()->closeFile();
        w.replacementPane()->player()->closeFile();
    }

public:
    ~ExampleSession() { exampleFolderName.clear(); }
    ExampleSession(const ExampleSession&) = delete;
    ExampleSession& operator=(const ExampleSession&) = delete;

private:
    QTemporaryDir folder_;
    Forms forms_;
    bool musicFilled_ = false;
    bool effectsFilled_ = false;
};

// Lays a window and everything in it out as showing it would, without showing it.
void layOut(QWidget& w)
{
    w.ensurePolished();
    if (w.layout())
        w.layout()->activate();
    w.adjustSize();
    (void)w.grab(QRect(0, 0, 1, 1)); // delivers the resize events that lay out the inner widgets
}

// Where the example's passing folder name would show (a folder list, a path), it reads
// "examples" instead.
void hideExampleFolder(QWidget& w)
{
    if (exampleFolderName.isEmpty())
        return;
    const QString shown = QStringLiteral("examples");
    for (QLabel* label : w.findChildren<QLabel*>())
        if (label->text().contains(exampleFolderName))
            label->setText(label->text().replace(exampleFolderName, shown));
    for (QListWidget* list : w.findChildren<QListWidget*>())
        for (int row = 0; row < list->count(); ++row)
            if (QListWidgetItem* item = list->item(row); item->text().contains(exampleFolderName))
                item->setText(item->text().replace(exampleFolderName, shown));
    for (QComboBox* box : w.findChildren<QComboBox*>())
        for (int row = 0; row < box->count(); ++row)
            if (box->itemText(row).contains(exampleFolderName))
                box->setItemText(row, box->itemText(row).replace(exampleFolderName, shown));
}

WindowPicture grab(QWidget& w, QRect area = {})
{
    layOut(w);
    hideExampleFolder(w);
    if (area.isNull())
        area = w.rect();
    WindowPicture picture;
    picture.image = w.grab(area);
    for (QWidget* child : w.findChildren<QWidget*>()) {
        if (child->objectName().isEmpty() || child->isHidden())
            continue;
        const QRect r(child->mapTo(&w, QPoint(0, 0)) - area.topLeft(), child->size());
        if (r.intersects(QRect(QPoint(0, 0), area.size())))
            picture.controls.insert(child->objectName(), r);
    }
    return picture;
}

// The part of a selection window that holds one pane's heading and lists.
QRect column(SelectionWindow& w, BrowserPane* pane)
{
    layOut(w);
    const QRect lists(pane->files()->mapTo(&w, QPoint(0, 0)), pane->files()->size());
    return QRect(lists.left(), 0, lists.width(), lists.bottom() + 1).adjusted(-4, 0, 4, 4);
}

WindowPicture render(const QString& key, std::shared_ptr<audio::AudioHost> audio)
{
    ExampleSession session(std::move(audio));
    if (key == QLatin1String("FrmMidi"))
        return grab(session.music());
    if (key == QLatin1String("FrmCopyMidi")) {
        session.music();
        return grab(session.window<FrmCopyMidi>());
    }
    if (key == QLatin1String("FrmMidiBackup")) {
        session.music();
        auto& backup = session.window<FrmMidiBackup>();
        backup.fill(session.window<FrmCopyMidi>().board()->model());
        return grab(backup);
    }
    if (key == QLatin1String("FrmWavSelect"))
        return grab(session.effects());
    if (key == QLatin1String("FrmCopyWavs")) {
        session.effects();
        return grab(session.window<FrmCopyWavs>());
    }
    if (key == QLatin1String("FrmWavBackup")) {
        session.effects();
        auto& backup = session.window<FrmWavBackup>();
        backup.fill(session.window<FrmCopyWavs>().board()->model());
        return grab(backup);
    }
    if (key == QLatin1String("FrmSetName2")) {
        auto& naming = session.window<FrmSetName2>();
        naming.nameBox()->setEditText(QStringLiteral("BlackJackWav"));
        return grab(naming);
    }
    // The windows that came later, as they open.
    if (key == QLatin1String("FrmRestore"))
        return grab(session.window<FrmRestore>());
    if (key == QLatin1String("FrmPacks"))
        return grab(session.window<FrmPacks>());
    if (key == QLatin1String("FrmGame"))
        return grab(session.window<FrmGame>());
    if (key == QLatin1String("GameSide")) {
        auto& w = session.effects();
        return grab(w, column(w, w.gamePane()));
    }
    if (key == QLatin1String("SetSide")) {
        auto& w = session.effects(QStringLiteral("MrPattTZone"));
        return grab(w, column(w, w.replacementPane()));
    }
    return {};
}

} // namespace

const WindowPicture& programWindowPicture(const QString& key, std::shared_ptr<audio::AudioHost> audio)
{
    static QHash<QString, WindowPicture> made;
    auto it = made.find(key);
    if (it == made.end())
        it = made.insert(key, render(key, std::move(audio)));
    return *it;
}

} // namespace sonaplex
