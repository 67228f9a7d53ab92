#pragma once
// What waits for the first window to be on screen.
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <functional>

namespace sonaplex {

// Runs `action` (within `context`'s life) once the first widget has been painted and that
// frame shown. Of two waiting, the one asked for later runs first.
class AfterFirstPaint : public QObject {
public:
    static void run(QObject* context, std::function<void()> action)
    {
        QCoreApplication::instance()->installEventFilter(new AfterFirstPaint(context, std::move(action)));
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType()) {
            QCoreApplication::instance()->removeEventFilter(this);
            QTimer::singleShot(0, parent(), std::move(action_));
            deleteLater();
        }
        return false;
    }

private:
    AfterFirstPaint(QObject* context, std::function<void()> action) : QObject(context), action_(std::move(action)) {}
    std::function<void()> action_;
};

// What a process holds in memory now, in kB (VmRSS), or -1.
inline long long residentKb(const char* field = "VmRSS:")
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly))
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith(field))
                return line.mid(int(qstrlen(field))).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

// For the start-up benchmarks: when SONAPLEX_REPORT_FIRST_PAINT is set, the program prints
// its peak memory once its first window is painted, and ends at once (the benchmark times
// the line's arrival); with SONAPLEX_REPORT_MEMORY_AFTER_MS as well, it waits that long
// more (what starts after the first window runs meanwhile), prints what it then holds, and
// ends. The benchmark's minimal Qt window reports the same way. Asked for after the
// program's own first-paint work, so that the report comes before that work.
inline void reportFirstPaintIfAsked()
{
    if (!qEnvironmentVariableIsSet("SONAPLEX_REPORT_FIRST_PAINT"))
        return;
    AfterFirstPaint::run(QCoreApplication::instance(), [] {
        std::printf("first-paint peak-kb %lld\n", residentKb("VmHWM:"));
        std::fflush(stdout);
        const int afterMs = qEnvironmentVariableIntValue("SONAPLEX_REPORT_MEMORY_AFTER_MS");
        if (afterMs <= 0)
            std::_Exit(0);
        QTimer::singleShot(afterMs, [] {
            std::printf("later resident-kb %lld\n", residentKb());
            std::fflush(stdout);
            std::_Exit(0);
        });
    });
}

} // namespace sonaplex
