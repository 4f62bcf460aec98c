#include "Launch.h"

#include "AppInfo.h"
#include "Application.h"
#include "MainWindow.h"
#include "main_window/ContentView.h"
#include "texts/Texts.h"

#include <QLocale>
#include <QMessageBox>
#include <QUrl>

#include <algorithm>

Launch openVideos(Application& application, const QStringList& videos)
{
    Launch launch;
    const qsizetype opened = std::min<qsizetype>(videos.size(), Launch::maxWindows);
    for (qsizetype i = 0; i < std::max<qsizetype>(opened, 1); ++i) {
        MainWindow* window = application.openWindow();
        if (i < opened)
            window->content()->handleLoadedURL(QUrl::fromLocalFile(videos[i]));
        launch.windows += window;
    }
    if (videos.size() > opened) {
        // Beyond eight, windows would cover the screen and jobs crowd the cores and the memory.
        auto* box = new QMessageBox(QMessageBox::Information, QString::fromUtf8(AppInfo::applicationName),
                                    Texts::text("launch.tooMany %@", QLocale().toString(videos.size() - opened)),
                                    QMessageBox::Ok, launch.windows.first());
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->show();
        launch.tooMany = box;
    }
    return launch;
}
