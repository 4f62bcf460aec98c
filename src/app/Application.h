#pragma once

#include "extraction/Worker.h"
#include "update/UpdateChecker.h"

#include <QMessageBox>
#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>

#include <functional>

class MainWindow;

// What lives as long as the program: the worker that decodes the videos, the update checker,
// the one update message, and the main windows it opens (each deletes itself when closed).
class Application : public QObject {
    Q_OBJECT
public:
    // The real update server and settings.
    static UpdateChecker::Dependencies realUpdates(QNetworkAccessManager* network);

    explicit Application(const std::function<UpdateChecker::Dependencies(QNetworkAccessManager*)>& updates = realUpdates,
                         QObject* parent = nullptr);

    // Opens a main window, as at start and File > New Window.
    MainWindow* openWindow();

    // Offers the release, unless a message is already open.
    void offerUpdate(const RemoteVersion& record);
    QMessageBox* updateMessage() const { return m_message; }

    // Where web addresses are opened; the browser unless replaced (tests do).
    std::function<void(const QUrl&)> openURL;

    // Quitting: the jobs still running stop at once and write nothing.
    void stopJobs() { m_workers.stop(); }

private:
    // Every window's videos are decoded by children of one confined worker process.
    FrameExtractor::WorkerClient m_workers{FrameExtractor::workerProgram()};
    QNetworkAccessManager m_network;
    UpdateChecker m_updates;
    QPointer<QMessageBox> m_message;
};
