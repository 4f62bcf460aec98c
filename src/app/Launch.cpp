#include "Launch.h"

#include "AppInfo.h"
#include "Application.h"
#include "MainWindow.h"
#include "main_window/ContentView.h"
#include "texts/Texts.h"

#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>

#include <algorithm>

Launch openVideos(Application& application, const QList<QUrl>& videos, MainWindow* into)
{
    Launch launch;
    const qsizetype opened = std::min<qsizetype>(videos.size(), Launch::maxWindows);
    for (qsizetype i = 0; i < std::max<qsizetype>(opened, 1); ++i) {
        MainWindow* window = i == 0 && into ? into : application.openWindow();
        if (i < opened)
            window->content()->handleLoadedURL(videos[i]);
        launch.windows += window;
    }
    if (videos.size() > opened) {
        // Beyond eight, windows would cover the screen and jobs crowd the cores and the memory.
        QStringList names;
        for (const QUrl& video : videos.mid(opened))
            names += video.isLocalFile() ? QFileInfo(video.toLocalFile()).fileName() : video.toDisplayString();
        auto* box = new QMessageBox(QMessageBox::Information, QString::fromUtf8(AppInfo::applicationName),
                                    Texts::text("launch.tooMany %@", leftOutText(names)), QMessageBox::Ok, launch.windows.first());
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->show();
        launch.tooMany = box;
    }
    return launch;
}

QString leftOutText(const QStringList& names)
{
    constexpr qsizetype named = 5;
    if (names.size() <= named + 1)
        return QLocale().createSeparatedList(names);
    return QLocale().createSeparatedList(names.first(named) << Texts::text("launch.more %@", QLocale().toString(names.size() - named)));
}
