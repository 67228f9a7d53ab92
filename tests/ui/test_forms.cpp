// The window registry: load on first touch, hide keeps values, unload discards them, modal
// show waits, and the program ends when nothing is left on screen.
#include "support.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTimer>
#include <QVBoxLayout>
#include <QtTest>

using namespace sonaplex;

namespace {
int loads = 0, unloads = 0;

class Probe : public Form {
public:
    explicit Probe(Forms& f)
        : Form(f, QStringLiteral("Probe"), QStringLiteral("Probe"), CloseBox), edit(new QLineEdit(this))
    {
        new QVBoxLayout(this);
        layout()->addWidget(edit);
    }
    QLineEdit* edit;

protected:
    void formLoad() override { ++loads; }
    void formUnload() override { ++unloads; }
};

class Other : public Form {
public:
    explicit Other(Forms& f) : Form(f, QStringLiteral("Other"), QStringLiteral("Other"), CloseBox) {}
};
} // namespace

class TestForms : public QObject {
    Q_OBJECT
private slots:
    void init() { loads = unloads = 0; }

    void loadOnFirstTouchHideKeepsUnloadDiscards()
    {
        Forms forms(QDir::tempPath());
        QVERIFY(!forms.loaded<Probe>());
        Probe& p = forms.load<Probe>();
        QCOMPARE(loads, 1);
        QVERIFY(!p.isVisible());
        QCOMPARE(&forms.load<Probe>(), &p);
        QCOMPARE(loads, 1);

        forms.showModeless(p);
        p.edit->setText(QStringLiteral("kept"));
        forms.hide(p);
        QCOMPARE(forms.load<Probe>().edit->text(), QStringLiteral("kept"));

        forms.showModeless<Other>(); // something stays on screen
        forms.unload(p);
        QCOMPARE(unloads, 1);
        QVERIFY(!forms.loaded<Probe>());
        QCOMPARE(forms.load<Probe>().edit->text(), QString());
        QCOMPARE(loads, 2);
        QVERIFY(!forms.hasEnded());
    }

    void modalShowWaitsUntilHidden()
    {
        Forms forms(QDir::tempPath());
        Probe& p = forms.load<Probe>();
        bool returned = false;
        QTimer::singleShot(50, [&] {
            QVERIFY(p.isVisible());
            QVERIFY(!returned);
            forms.hide(p);
        });
        forms.showModal(p);
        returned = true;
        QVERIFY(!p.isVisible());
        QCOMPARE(forms.loaded<Probe>(), &p);
    }

    void aTitleBarPlacedAboveTheScreenIsBroughtBack()
    {
        // Where a window manager puts a screen-filling window at 2x scaling: its frame's top above
        // the screen's.
        Forms forms(QDir::tempPath());
        Probe& p = forms.load<Probe>();
        forms.showModeless(p);
        const QRect room = p.screen()->availableGeometry();
        p.move(room.left() + 10, room.top() - 40);
        QTRY_VERIFY(p.frameGeometry().top() >= room.top());
        QCOMPARE(p.frameGeometry().left(), room.left() + 10);
        forms.hide(p);
    }

    void programEndsWhenNothingIsLeftOnScreen()
    {
        Forms forms(QDir::tempPath());
        QSignalSpy ended(&forms, &Forms::programEnded);
        forms.load<Other>(); // loaded but hidden, like a review window
        Probe& p = forms.showModeless<Probe>();
        p.close(); // the title bar's close box unloads it
        QCOMPARE(unloads, 1);
        QTRY_COMPARE(ended.count(), 1);
        QVERIFY(forms.hasEnded());
    }

    void endProgramRunsNoUnloadStep()
    {
        Forms forms(QDir::tempPath());
        forms.showModeless<Probe>();
        forms.endProgram();
        QCOMPARE(unloads, 0);
        QVERIFY(!forms.loaded<Probe>());
    }
};

SONAPLEX_TEST_MAIN(TestForms)
#include "test_forms.moc"
