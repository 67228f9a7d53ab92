#include "ui/update_notifications.h"

#include "ui/installed_games.h"
#include "words/report_words.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QLabel>
#include <QVariantMap>

namespace sonaplex {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(UpdateNotifications)
};

const QString kService = QStringLiteral("org.freedesktop.Notifications");
}

UpdateNotifications::UpdateNotifications(InstalledGames& games, QObject* parent) : QObject(parent), games_(games)
{
    connect(&games_, &InstalledGames::found, this, &UpdateNotifications::gamesFound);
}

void UpdateNotifications::gamesFound()
{
    // A window of the program in front: the user is there. A selection window says it in its
    // own notice, which counts as told; another window leaves it for later.
    const QWidget* front = QApplication::activeWindow();
    const bool noticeInFront = front && front->findChild<QLabel*>(QStringLiteral("LblUpdateNotice"));
    QStringList news;
    for (size_t i = 0; i < games_.games().size() && i < games_.counts().size(); ++i) {
        const int changed = games_.counts()[i].changed;
        const QString key = games_.games()[i].folder + QLatin1Char('\n') + QString::number(changed);
        if (changed <= 0 || told_.contains(key) || (front && !noticeInFront))
            continue;
        told_.insert(key);
        if (!front)
            news << changedByUpdateWords(changed, games_.games()[i].name);
    }
    if (news.isEmpty())
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    for (const QString& body : std::as_const(news)) {
        QDBusMessage notify = QDBusMessage::createMethodCall(
            kService, QStringLiteral("/org/freedesktop/Notifications"), kService, QStringLiteral("Notify"));
        QVariantMap hints{{QStringLiteral("desktop-entry"), QStringLiteral("org.sonaplex.sonaplex")}};
        notify << QStringLiteral("Sonaplex") << uint(0) << QStringLiteral("sonaplex")
               << Say::tr("A game update undid replacements") << body << QStringList() << hints << int(-1);
        // Only a notification service that runs shows it: none is started for it. Nothing waits
        // for the bus: a hung one costs the window nothing, and the answer (the notification's
        // id, or that no one is there) is not needed.
        notify.setAutoStartService(false);
        bus.asyncCall(notify);
    }
}

} // namespace sonaplex
