// The program in another language: German in the windows and on the command line (JSON
// unchanged), the German translation whole, and every window's texts fitting when they are 40%
// longer (a pseudo-language), at the scale the test is run at.
#include "support.h"
#include "ui/window_names.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QCheckBox>
#include <QDomDocument>
#include <QGroupBox>
#include <QHeaderView>
#include <QRegularExpression>
#include <QTranslator>

using namespace sonaplex;
using namespace sonaplex::test;

namespace {

// Every text 40% longer, its letters accented, its placeholders (%1, %n), markup and
// accelerators kept: what a longer language does to the windows, readable by eye.
class PseudoTranslator : public QTranslator {
public:
    QString translate(const char*, const char* source, const char*, int) const override
    {
        const QString text = QString::fromUtf8(source);
        QStringList lines;
        for (const QString& line : text.split(QLatin1Char('\n')))
            lines << pseudoLine(line);
        return lines.join(QLatin1Char('\n'));
    }
    bool isEmpty() const override { return false; }

private:
    static QString pseudoLine(const QString& line)
    {
        static const QString plain = QStringLiteral("aeiouyAEIOUYcnCN");
        static const QString accented = QStringLiteral("áéíóúýÁÉÍÓÚÝçñÇÑ");
        QString out;
        int letters = 0;
        for (qsizetype i = 0; i < line.size(); ++i) {
            const QChar c = line[i];
            if (c == QLatin1Char('%') && i + 1 < line.size()) { // %1, %n, %L1 stay
                qsizetype end = i + 1;
                if (line[end] == QLatin1Char('L'))
                    ++end;
                while (end < line.size() && (line[end].isDigit() || line[end] == QLatin1Char('n')))
                    ++end;
                out += line.mid(i, end - i);
                i = end - 1;
            } else if (c == QLatin1Char('<')) { // markup stays
                const qsizetype end = line.indexOf(QLatin1Char('>'), i);
                out += line.mid(i, end < 0 ? -1 : end - i + 1);
                i = end < 0 ? line.size() : end;
            } else {
                const qsizetype k = plain.indexOf(c);
                out += k >= 0 ? accented[k] : c;
                letters += c.isLetterOrNumber() || c.isSpace() ? 1 : 0;
            }
        }
        if (letters == 0)
            return out;
        const int longer = std::max(1, (letters * 4 + 9) / 10);
        return out + QString(longer, QChar(0x0101)); // ā: as wide as a letter
    }
};

// What a control shows of its text, and the room it has; empty when it fits.
QString cutText(QWidget* w)
{
    const QFontMetrics fm = w->fontMetrics();
    auto widest = [&](const QString& text) {
        int width = 0;
        for (const QString& line : text.split(QLatin1Char('\n')))
            width = std::max(width, fm.horizontalAdvance(QString(line).remove(QLatin1Char('&'))));
        return width;
    };
    auto says = [&](const QString& what, const QString& text, int need, int room) {
        return QStringLiteral("%1 %2 \"%3\": needs %4 px, has %5").arg(what, w->objectName(), text).arg(need).arg(room);
    };
    if (auto* label = qobject_cast<QLabel*>(w)) {
        if (label->text().isEmpty() || label->textFormat() == Qt::RichText || Qt::mightBeRichText(label->text()))
            return {};
        const QRect room = label->contentsRect();
        if (label->wordWrap()) {
            const int need = label->heightForWidth(label->width());
            return need > label->height() + 1
                ? says(QStringLiteral("label (lines)"), label->text(), need, label->height())
                : QString();
        }
        const int need = widest(label->text());
        return need > room.width() + 1 ? says(QStringLiteral("label"), label->text(), need, room.width()) : QString();
    }
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        if (button->text().isEmpty())
            return {};
        const int need = button->sizeHint().width();
        return need > button->width() + 1 ? says(QStringLiteral("button"), button->text(), need, button->width())
                                          : QString();
    }
    if (auto* header = qobject_cast<QHeaderView*>(w)) {
        QStringList cut;
        for (int s = 0; s < header->count(); ++s) {
            if (header->isSectionHidden(s) || (header->stretchLastSection() && s == header->count() - 1))
                continue;
            const QString text = header->model()->headerData(s, header->orientation()).toString();
            const int need = widest(text) + 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
            if (need > header->sectionSize(s) + 1)
                cut << says(QStringLiteral("column"), text, need, header->sectionSize(s));
        }
        return cut.join(QLatin1Char('\n'));
    }
    return {};
}

QStringList cutTexts(QWidget* window)
{
    QStringList cut;
    // The title bar holds the icon and three buttons beside the title, in bold.
    QFont bold = window->font();
    bold.setBold(true);
    const int titleNeed = QFontMetrics(bold).horizontalAdvance(window->windowTitle()) + 100;
    // (A window as wide as a small screen cannot show more: 2x on the test's screen.)
    const int room = window->screen()->availableGeometry().width() - 16;
    if (titleNeed > window->width() && window->width() < room)
        cut << QStringLiteral("title \"%1\": needs %2 px, has %3")
                   .arg(window->windowTitle())
                   .arg(titleNeed)
                   .arg(window->width());
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisible())
            continue;
        if (const QString c = cutText(w); !c.isEmpty())
            cut << c;
    }
    return cut;
}

QString sourceFile(const char* path) { return QStringLiteral(SONAPLEX_SOURCE_DIR "/") + QLatin1String(path); }

QString runProgram(const QStringList& args, const QString& language, int* status = nullptr)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LANGUAGE"), language);
    env.insert(QStringLiteral("LC_ALL"),
        language == QLatin1String("de") ? QStringLiteral("de_DE.UTF-8") : QStringLiteral("C.UTF-8"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(SONAPLEX_EXECUTABLE), args);
    p.waitForFinished(120000);
    if (status)
        *status = p.exitCode();
    return QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
}

} // namespace

class TestLanguage : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (qEnvironmentVariableIsSet("SONAPLEX_TEST_PSEUDO"))
            QCoreApplication::installTranslator(new PseudoTranslator);
    }

    // Run with LANGUAGE=de.
    void windowsSpeakTheDesktopsLanguage()
    {
        Program program;
        QCOMPARE(window("frmSplash")->findChild<QPushButton*>("CmdEntermidi")->text(), QStringLiteral("Eintreten"));
        program.enter();
        QCOMPARE(window("FrmMidi")->windowTitle(), QStringLiteral("Sonaplex/Hintergrundmusik"));
        QCOMPARE(control<QPushButton>("FrmMidi", "CmdExit1")->text(), QStringLiteral("Programm beenden"));
        // A plural, with the number in its place.
        QWidget& restore = program.forms().load(QString(windowName::FrmRestore));
        restore.show();
        QTRY_COMPARE(control<QLabel>("FrmRestore", "LblRestoreSummary")->text(),
            QStringLiteral("Es wurde noch keine Spieldatei ersetzt."));
        QCOMPARE(restore.windowTitle(), QStringLiteral("Sonaplex/Spieldateien wiederherstellen"));
        const auto* header = control<QAbstractItemView>("FrmRestore", "LstReplaced");
        QCOMPARE(header->model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("Zustand"));
        // The later windows too: Game Sounds' columns and players, the Packs window's fields, About.
        QWidget& sounds = program.forms().load(QString(windowName::FrmGame));
        sounds.show();
        const auto* soundList = control<QAbstractItemView>("FrmGame", "LstGameSounds");
        QCOMPARE(soundList->model()->headerData(4, Qt::Horizontal).toString(), QStringLiteral("Ersatz"));
        QStringList boxes;
        for (const QGroupBox* box : sounds.findChildren<QGroupBox*>())
            boxes << box->title();
        QCOMPARE(boxes, (QStringList{QStringLiteral("Spielton"), QStringLiteral("Ersatz")}));
        program.forms().load(QString(windowName::FrmPacks)).show();
        QCOMPARE(control<QLabel>("FrmPacks", "LblPackAuthor")->text(), QStringLiteral("A&utor:"));
        program.forms().load(QString(windowName::frmAbout)).show();
        QVERIFY(control<QLabel>("frmAbout", "lblDescription")->text().startsWith(QStringLiteral("Sonaplex ist ein")));
        // Qt's own texts too: the standard buttons of a question.
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Abbrechen"));
        // Plurals by Qt's %n, the count written as the desktop writes numbers.
        QCOMPARE(QCoreApplication::translate("ReportWords", "%n game file(s) were replaced again. Undo takes this back.",
                     nullptr, 1234),
            QStringLiteral("1.234 Spieldateien wurden erneut ersetzt. Rückgängig nimmt dies zurück."));
        QCOMPARE(QCoreApplication::translate("ReportWords", "%n game file(s) were replaced again. Undo takes this back.",
                     nullptr, 1),
            QStringLiteral("1 Spieldatei wurde erneut ersetzt. Rückgängig nimmt dies zurück."));
    }

    void commandLineSpeaksItAndJsonStaysAsDocumented()
    {
        // The record is the record ("Protokoll"), never a folder ("Verzeichnis").
        const QString help = runProgram({QStringLiteral("--help")}, QStringLiteral("de"));
        QVERIFY2(help.contains(QStringLiteral("die das Protokoll unter FOLDER kennt")) && !help.contains(QStringLiteral("Verzeichnis")),
            qPrintable(help));
        const QString sound = QStringLiteral("/usr/share/sounds/alsa/Front_Left.wav");
        QTemporaryDir disk;
        QFile notSound(disk.filePath(QStringLiteral("notes.wav")));
        QVERIFY(notSound.open(QIODevice::WriteOnly) && notSound.write("plain text, not a sound") > 0);
        notSound.close();
        int status = 0;
        const QString german
            = runProgram({QStringLiteral("check"), sound, notSound.fileName()}, QStringLiteral("de"), &status);
        QCOMPARE(status, 1);
        QVERIFY2(german.contains(QStringLiteral("48000 Hz · Mono · 16 Bit")), qPrintable(german));
        QVERIFY2(german.contains(QStringLiteral("Spitze -6,0 dBFS")), qPrintable(german)); // the desktop's numbers
        QVERIFY2(german.contains(QStringLiteral("notes.wav: nicht verwendbar:")), qPrintable(german));
        QVERIFY(runProgram({QStringLiteral("--help")}, QStringLiteral("de"))
                    .startsWith(QStringLiteral("Aufruf: sonaplex")));
        // The desktop's order of preference: the first language with a translation, English
        // (the program's own texts) ending the search.
        QVERIFY(runProgram({QStringLiteral("--help")}, QStringLiteral("fr:de")).startsWith(QStringLiteral("Aufruf:")));
        QVERIFY(runProgram({QStringLiteral("--help")}, QStringLiteral("en:de")).startsWith(QStringLiteral("Usage:")));
        QVERIFY(runProgram({QStringLiteral("undo"), QStringLiteral("--bogus")}, QStringLiteral("de"))
                    .contains(QStringLiteral("undo nimmt --bogus nicht an.")));
        // JSON, its error texts included, reads the same whatever the language.
        const QStringList json{QStringLiteral("check"), sound, notSound.fileName(), QStringLiteral("--json")};
        const QString english = runProgram(json, QStringLiteral("en"));
        QVERIFY2(
            english.contains(QStringLiteral("notes.wav is not a wave file that can be played.")), qPrintable(english));
        QCOMPARE(runProgram(json, QStringLiteral("de")), english);
    }

    // Every text has its German; each keeps the placeholders and accelerator of its source.
    void theGermanTranslationIsWhole()
    {
        QFile ts(sourceFile("translations/sonaplex_de.ts"));
        QVERIFY(ts.open(QIODevice::ReadOnly));
        QDomDocument doc;
        QVERIFY(doc.setContent(&ts));
        const QDomNodeList messages = doc.elementsByTagName(QStringLiteral("message"));
        QVERIFY(messages.size() > 800);
        const QRegularExpression placeholder(QStringLiteral("%L?(?:\\d|n)"));
        auto placeholders = [&](const QString& text) {
            QStringList found;
            for (const auto& m : placeholder.globalMatch(text))
                found << m.captured().remove(QLatin1Char('L')); // %L1 is %1 in the desktop's numbers
            found.removeDuplicates();
            found.sort();
            return found;
        };
        auto accelerated
            = [](const QString& text) { return QString(text).remove(QStringLiteral("&&")).contains(QLatin1Char('&')); };
        QStringList wrong;
        for (int i = 0; i < messages.size(); ++i) {
            const QDomElement m = messages.at(i).toElement();
            const QString source = m.firstChildElement(QStringLiteral("source")).text();
            const QDomElement translation = m.firstChildElement(QStringLiteral("translation"));
            QStringList forms;
            if (m.attribute(QStringLiteral("numerus")) == QLatin1String("yes"))
                for (QDomElement f = translation.firstChildElement(); !f.isNull(); f = f.nextSiblingElement())
                    forms << f.text();
            else
                forms << translation.text();
            if (translation.hasAttribute(QStringLiteral("type")) || forms.contains(QString())
                || (m.attribute(QStringLiteral("numerus")) == QLatin1String("yes") && forms.size() != 2))
                wrong << QStringLiteral("unfinished: ") + source;
            for (const QString& form : forms)
                if (placeholders(form) != placeholders(source) || accelerated(form) != accelerated(source))
                    wrong << QStringLiteral("%1 -> %2").arg(source, form);
        }
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QLatin1Char('\n'))));
    }

    // Run with the pseudo-language at 1x and at 2x, and in English and German: every window,
    // every text whole.
    void everyTextFitsItsControl()
    {
        Program program;
        QStringList cut;
        for (QLatin1StringView name : windowName::all) {
            QWidget& w = program.forms().load(QString(name));
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            for (const QString& c : cutTexts(&w))
                cut << QString(name) + QStringLiteral(": ") + c;
            w.hide();
        }
        for (const QString& c : cut) // all of them (a failure's message is cut short)
            qInfo().noquote() << c;
        QVERIFY2(
            cut.isEmpty(), qPrintable(QStringLiteral("%1 texts cut:\n").arg(cut.size()) + cut.join(QLatin1Char('\n'))));
    }
};

SONAPLEX_TEST_MAIN(TestLanguage)
#include "test_language.moc"
