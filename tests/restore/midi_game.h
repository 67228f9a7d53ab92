#pragma once
// A game folder of three MIDI tracks and a folder of three songs to replace them, in a scratch
// disk, with the program started in the music window: what the restore tests and the command
// line's tests switch and put back. Test classes derive from it and call makeGame() in init().
#include "audio/audio_support.h"
#include "music/frm_copy_midi.h"
#include "restore/frm_restore.h"
#include "support.h"

#include <QItemSelectionModel>
#include <QTreeView>

namespace sonaplex::test {

class MidiGame : public QObject {
protected:
    std::unique_ptr<Program> program;
    QTemporaryDir disk;
    QString game, mine;

    QByteArray song(int n) { return MidiBuilder().track().note(0, 240 * n, 0, 50 + n).bytes(); }
    QByteArray original(int n) { return MidiBuilder().track().note(0, 100 * n, 0, 30 + n).bytes(); }
    QString gameFile(int n) { return game + QStringLiteral("/TRACK%1.MID").arg(n); }
    QString myFile(int n) { return mine + QStringLiteral("/song%1.mid").arg(n); }

    // A fresh game and songs, and the program in the music window.
    void makeGame()
    {
        QDir(disk.path()).removeRecursively();
        game = disk.path() + "/Game";
        mine = disk.path() + "/Mine";
        QDir().mkpath(game);
        QDir().mkpath(mine);
        for (int n = 1; n <= 3; ++n) {
            QVERIFY(writeFile(gameFile(n), original(n)));
            QVERIFY(writeFile(myFile(n), song(n)));
        }
        program = std::make_unique<Program>();
        program->enter();
        program->forms().load<FrmCopyMidi>();
    }

    // SWITCH in the music review window with these (game file, replacement) pairs.
    void switchWith(std::initializer_list<std::pair<QString, QString>> pairs)
    {
        ReviewBoard* board = program->forms().load<FrmCopyMidi>().board();
        for (int n = 1; n <= 3; ++n)
            board->removeSelection(n);
        int n = 0;
        for (const auto& [gamePath, replacement] : pairs) {
            ++n;
            board->model().setGameFile(n, gamePath, QFileInfo(gamePath).fileName());
            board->model().setReplacementFile(n, replacement, QFileInfo(replacement).fileName());
        }
        click("FrmCopyMidi", "CmdSwitch3");
    }
    // Opens the restore window, runs `inside` in it, then closes it.
    void inRestore(std::function<void()> inside)
    {
        onModal("FrmRestore", [=] {
            inside();
            click("FrmRestore", "CmdCloseRestore");
        });
        click("FrmCopyMidi", "CmdRestore");
    }
    static QTreeView* list() { return control<QTreeView>("FrmRestore", "LstReplaced"); }
    // The rows of the restore window's list, each folder followed by its files.
    static QModelIndexList rows()
    {
        QModelIndexList all;
        const QAbstractItemModel* model = list()->model();
        for (int f = 0; f < model->rowCount(); ++f) {
            const QModelIndex folder = model->index(f, 0);
            all << folder;
            for (int r = 0; r < model->rowCount(folder); ++r)
                all << model->index(r, 0, folder);
        }
        return all;
    }
    // A game file's row (its tooltip is its path), or an invalid index.
    static QModelIndex row(const QString& path)
    {
        for (const QModelIndex& r : rows())
            if (r.data(Qt::ToolTipRole).toString() == path)
                return r;
        return {};
    }
    static QString cell(const QModelIndex& row, int column) { return row.siblingAtColumn(column).data().toString(); }
    static void select(const QModelIndex& row)
    {
        list()->selectionModel()->select(row, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    // A game file's state as the restore window shows it.
    static QString state(const QString& path)
    {
        const QModelIndex r = row(path);
        return r.isValid() ? cell(r, 3) : QStringLiteral("<not listed>");
    }
};

} // namespace sonaplex::test
