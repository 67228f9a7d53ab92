// Finding the installed games on a home folder with 3 Steam libraries and 2,000 installed games
// (made here, under $TMPDIR), against `find` listing the same app manifests, and listing and
// reading them (`-exec cat`), in interleaved rounds: the search in this process (as the windows run it) and `sonaplex games` as a command.
//   bench_games [GAMES] [ROUNDS]
#include "readers/games.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

using namespace sonaplex;

namespace {
bool write(const QString& path, const QByteArray& content)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(content) == content.size();
}

double runProcess(const QString& program, const QStringList& args, const QProcessEnvironment& env)
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.setStandardOutputFile(QProcess::nullDevice());
    p.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer t;
    t.start();
    p.start(program, args);
    if (!p.waitForFinished(600000) || p.exitCode() != 0)
        return -1;
    return t.nsecsElapsed() / 1e6;
}

QString figures(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return QStringLiteral("min %1  median %2  max %3")
        .arg(v.front(), 0, 'f', 2)
        .arg(v[v.size() / 2], 0, 'f', 2)
        .arg(v.back(), 0, 'f', 2);
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int games = argc > 1 ? atoi(argv[1]) : 2000;
    const int rounds = argc > 2 ? atoi(argv[2]) : 5;
    QTemporaryDir scratch;
    const QString home = scratch.path() + QStringLiteral("/home"), program = scratch.path() + QStringLiteral("/program");
    const QString steam = home + QStringLiteral("/.local/share/Steam");
    const QStringList libraries{steam, scratch.path() + QStringLiteral("/disk2/SteamLibrary"),
        scratch.path() + QStringLiteral("/disk3/SteamLibrary")};
    QDir().mkpath(program);
    QByteArray list = "\"libraryfolders\"\n{\n";
    for (int l = 0; l < libraries.size(); ++l) {
        QDir().mkpath(libraries[l] + QStringLiteral("/steamapps/common"));
        list += "\t\"" + QByteArray::number(l) + "\"\n\t{\n\t\t\"path\"\t\t\"" + libraries[l].toUtf8() + "\"\n\t}\n";
    }
    if (!write(steam + QStringLiteral("/steamapps/libraryfolders.vdf"), list + "}\n"))
        return 1;
    for (int i = 0; i < games; ++i) {
        const QString library = libraries[i % libraries.size()], name = QStringLiteral("Game %1").arg(i);
        QDir().mkpath(library + QStringLiteral("/steamapps/common/") + name);
        const QByteArray manifest = "\"AppState\"\n{\n\t\"appid\"\t\t\"" + QByteArray::number(10000 + i)
            + "\"\n\t\"Universe\"\t\t\"1\"\n\t\"name\"\t\t\"" + name.toUtf8() + "\"\n\t\"StateFlags\"\t\t\"4\"\n"
            + "\t\"installdir\"\t\t\"" + name.toUtf8() + "\"\n\t\"buildid\"\t\t\"" + QByteArray::number(i * 7)
            + "\"\n\t\"InstalledDepots\"\n\t{\n\t\t\"" + QByteArray::number(10001 + i)
            + "\"\n\t\t{\n\t\t\t\"manifest\"\t\t\"123456789\"\n\t\t\t\"size\"\t\t\"1000\"\n\t\t}\n\t}\n"
            + "\t\"UserConfig\"\n\t{\n\t\t\"language\"\t\t\"english\"\n\t}\n}\n";
        if (!write(library + QStringLiteral("/steamapps/appmanifest_%1.acf").arg(10000 + i), manifest))
            return 1;
    }
    std::printf("%d games in %d libraries\n\n", games, int(libraries.size()));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home);
    env.remove(QStringLiteral("XDG_DATA_HOME"));
    env.remove(QStringLiteral("XDG_CONFIG_HOME"));
    QStringList findArgs;
    for (const QString& l : libraries)
        findArgs << l + QStringLiteral("/steamapps");
    findArgs << QStringLiteral("-maxdepth") << QStringLiteral("1") << QStringLiteral("-name")
             << QStringLiteral("appmanifest_*.acf");
    const QString executable = QCoreApplication::applicationDirPath() + QStringLiteral("/../sonaplex");
    const GamePlaces places{home, home + QStringLiteral("/.local/share"), home + QStringLiteral("/.config"),
        program + QStringLiteral("/Game Folders.json")};
    QStringList readArgs = findArgs;
    readArgs << QStringLiteral("-exec") << QStringLiteral("cat") << QStringLiteral("{}") << QStringLiteral("+");
    std::vector<double> find, findRead, search, command, searchRatio, readRatio, commandRatio, commandReadRatio;
    for (int r = 0; r < rounds; ++r) {
        const double base = runProcess(QStringLiteral("find"), findArgs, env);
        const double reading = runProcess(QStringLiteral("find"), readArgs, env);
        QElapsedTimer t;
        t.start();
        const GameSearch found = findGames(places);
        const double inProcess = t.nsecsElapsed() / 1e6;
        const double cli = runProcess(executable, {QStringLiteral("--program-folder"), program, QStringLiteral("games")}, env);
        if (base <= 0 || reading <= 0 || cli <= 0 || int(found.games.size()) != games) {
            std::fprintf(stderr, "a round failed (%d games found)\n", int(found.games.size()));
            return 1;
        }
        find.push_back(base);
        findRead.push_back(reading);
        readRatio.push_back(inProcess / reading);
        search.push_back(inProcess);
        command.push_back(cli);
        searchRatio.push_back(inProcess / base);
        commandRatio.push_back(cli / base);
        commandReadRatio.push_back(cli / reading);
        std::printf("round %d: find %.1f ms, find -exec cat %.1f ms, search %.1f ms, sonaplex games %.1f ms\n", r + 1,
            base, reading, inProcess, cli);
    }
    std::printf("\nfind (baseline), ms:            %s\n", qPrintable(figures(find)));
    std::printf("find -exec cat (reads them), ms: %s\n", qPrintable(figures(findRead)));
    std::printf("search in the program, ms:      %s\n", qPrintable(figures(search)));
    std::printf("sonaplex games, ms:             %s\n", qPrintable(figures(command)));
    std::printf("search / find:                  %s   (target at most 1.5)\n", qPrintable(figures(searchRatio)));
    std::printf("search / find -exec cat:        %s\n", qPrintable(figures(readRatio)));
    std::printf("sonaplex games / find:          %s\n", qPrintable(figures(commandRatio)));
    std::printf("sonaplex games / find -exec cat: %s   (target at most 1.2)\n", qPrintable(figures(commandReadRatio)));
    return 0;
}
