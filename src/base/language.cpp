#include "base/language.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QStringList>
#include <QTranslator>

namespace sonaplex {

namespace {
constexpr char kTranslationVariable[] = "SONAPLEX_TRANSLATION";
} // namespace

QString translationsFolder()
{
    const QString installed
        = QCoreApplication::applicationDirPath() + QStringLiteral("/../share/sonaplex/translations");
    if (QFileInfo(installed).isDir())
        return QDir::cleanPath(installed);
    return QStringLiteral(SONAPLEX_BUILD_DIR "/translations");
}

QString loadTranslations()
{
    static const QString loaded = [] {
        auto* app = QCoreApplication::instance();
        const QString folder = translationsFolder();
        auto* language = new QTranslator(app);
        // The desktop's languages in its order of preference (LANGUAGE first): the first with a
        // translation is taken, and English, the program's own texts, ends the search.
        for (QString tag : QLocale::system().uiLanguages()) {
            tag.replace(QLatin1Char('-'), QLatin1Char('_'));
            if (tag == QLatin1String("C") || tag.startsWith(QLatin1String("en")))
                break;
            // "sonaplex_de_AT" is looked for, then "sonaplex_de".
            if (language->load(QStringLiteral("sonaplex_") + tag, folder) && !language->language().isEmpty()) {
                // Qt's own texts (the standard buttons, the file dialog) in the same language,
                // when the desktop has Qt's translations.
                auto* qt = new QTranslator(app);
                if (qt->load(QStringLiteral("qtbase_") + tag, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
                    QCoreApplication::installTranslator(qt);
                else
                    delete qt;
                QCoreApplication::installTranslator(language);
                qputenv(kTranslationVariable, QFile::encodeName(language->filePath()));
                return language->language();
            }
        }
        delete language;
        qunsetenv(kTranslationVariable);
        return QStringLiteral("en");
    }();
    return loaded;
}

void keepSourceTexts() { qunsetenv(kTranslationVariable); }

bool programLoadedATranslation() { return qEnvironmentVariableIsSet(kTranslationVariable); }

void loadProgramsTranslation()
{
    const QString file = qEnvironmentVariable(kTranslationVariable);
    if (file.isEmpty())
        return;
    auto* language = new QTranslator(QCoreApplication::instance());
    if (language->load(file))
        QCoreApplication::installTranslator(language);
    else
        delete language;
}

} // namespace sonaplex
