#pragma once
// For the start-up benchmark: when SONAPLEX_REPORT_FIRST_PAINT is set, the program prints
// how long after its start the first window was painted and the peak memory until then,
// then ends at once. The benchmark's minimal Qt window reports the same way.
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

namespace sonaplex {

class FirstPaintReport : public QObject {
public:
    static void installIfAsked()
    {
        if (qEnvironmentVariableIsSet("SONAPLEX_REPORT_FIRST_PAINT"))
            QCoreApplication::instance()->installEventFilter(new FirstPaintReport);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !seen_ && watched->isWidgetType()) {
            seen_ = true;
            // Once this paint has finished and reached the screen.
            QTimer::singleShot(0, [] {
                std::printf("first-paint peak-kb %lld\n", peakKb());
                std::fflush(stdout);
                std::_Exit(0);
            });
        }
        return false;
    }

private:
    static long long peakKb()
    {
        QFile status(QStringLiteral("/proc/self/status"));
        if (!status.open(QIODevice::ReadOnly))
            return -1;
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("VmHWM:"))
                return line.mid(6).trimmed().split(' ').value(0).toLongLong();
        return -1;
    }
    bool seen_ = false;
};

} // namespace sonaplex
