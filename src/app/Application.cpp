#include "Application.h"

#include "AppInfo.h"
#include "Launch.h"
#include "MainWindow.h"
#include "UpdateMessage.h"

#include <QAction>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDirIterator>
#include <QGuiApplication>
#include <QIcon>
#include <QSettings>

UpdateChecker::Dependencies Application::realUpdates(QNetworkAccessManager* network)
{
    UpdateChecker::Dependencies updates;
    updates.network = network;
    updates.settings = [] {
        return std::make_unique<QSettings>(QString::fromUtf8(AppInfo::organization),
                                           QString::fromUtf8(AppInfo::applicationName));
    };
    updates.now = [] { return QDateTime::currentDateTime(); };
    updates.versionURL = QUrl(QString::fromUtf8(AppInfo::updateAddress));
    updates.runningVersion = QCoreApplication::applicationVersion();
    return updates;
}

Application::Application(const std::function<UpdateChecker::Dependencies(QNetworkAccessManager*)>& updates,
                         QObject* parent)
    : QObject(parent)
    , openURL([](const QUrl& url) { QDesktopServices::openUrl(url); })
    , m_updates(updates(&m_network))
{
    connect(&m_updates, &UpdateChecker::newerVersionAvailable, this, &Application::offerUpdate);
    // The window icon: every size bundled (see the CMake file).
    QIcon icon;
    for (QDirIterator it(QStringLiteral(":/icons"), {QStringLiteral("*.png")}, QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
        icon.addFile(it.next());
    QGuiApplication::setWindowIcon(icon);
}

MainWindow* Application::openWindow()
{
    auto* window = new MainWindow(m_workers.decoder());
    connect(window, &MainWindow::firstShown, &m_updates, &UpdateChecker::checkForUpdates);
    // Help > Check for Updates Daily: one setting, shown alike in every window.
    if (auto* checkDaily = window->findChild<QAction*>(QStringLiteral("checkDaily"))) {
        checkDaily->setChecked(m_updates.checksDaily());
        connect(checkDaily, &QAction::triggered, &m_updates, &UpdateChecker::setChecksDaily);
        connect(&m_updates, &UpdateChecker::checksDailyChanged, checkDaily, &QAction::setChecked);
    }
    connect(window, &MainWindow::newWindowRequested, this, &Application::openWindow);
    connect(window, &MainWindow::videosDropped, this, [this](const QList<QUrl>& videos, MainWindow* into) { openVideos(*this, videos, into); });
    window->show();
    return window;
}

void Application::offerUpdate(const RemoteVersion& record)
{
    if (m_message)
        return; // one message at a time
    m_message = makeUpdateMessage(record, [this](const QUrl& url) { openURL(url); });
    m_message->show();
}
