#pragma once
// Timing a piece of work, and running a reference tool to its end.
#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>

#include <functional>

inline double msOf(const std::function<void()>& work)
{
    QElapsedTimer t;
    t.start();
    work();
    return double(t.nsecsElapsed()) / 1e6;
}

// True when it ran and ended well; its output is dropped.
inline bool run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(-1);
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}
