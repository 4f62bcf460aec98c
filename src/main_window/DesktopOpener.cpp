#include "DesktopOpener.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>

void openWithDesktop(const QUrl& url, std::function<void()> failed)
{
    // Always later, never inside the call, so that the caller sees the same order either way.
    const auto fail = [failed = std::move(failed)] {
        if (failed)
            QMetaObject::invokeMethod(QCoreApplication::instance(), failed, Qt::QueuedConnection);
    };
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    // Qt's own way runs xdg-open too, but does not wait for it, so that a desktop which has no
    // handler for PNG images goes unnoticed. Waiting tells: xdg-open exits non-zero then.
    if (const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open")); !opener.isEmpty()) {
        // Without a desktop of its own, xdg-open runs the viewer itself and returns when it
        // closes; so the process has no parent whose end would kill the viewer with it, and
        // nothing ever stops it: it deletes itself once it has finished.
        auto* process = new QProcess;
        // A handler found starts at once; what then fails is the viewer's own affair, which
        // may end much later, over whatever the window shows by then.
        QElapsedTimer clock;
        clock.start();
        process->setStandardInputFile(QProcess::nullDevice());
        process->setStandardOutputFile(QProcess::nullDevice());
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QObject::connect(process, &QProcess::finished, process, [process, fail, clock](int code, QProcess::ExitStatus status) {
            if (status == QProcess::NormalExit && code != 0 && clock.elapsed() < 3000)
                fail();
            process->deleteLater();
        });
        QObject::connect(process, &QProcess::errorOccurred, process, [process, fail](QProcess::ProcessError error) {
            if (error == QProcess::FailedToStart) { // no finished() follows
                fail();
                process->deleteLater();
            }
        });
        process->start(opener, {url.isLocalFile() ? url.toLocalFile() : url.toString()});
        return;
    }
#endif
    if (!QDesktopServices::openUrl(url))
        fail();
}
