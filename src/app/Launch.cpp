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

namespace {

QString nameOf(const QUrl& video)
{
    return video.isLocalFile() ? QFileInfo(video.toLocalFile()).fileName() : video.toDisplayString();
}

} // namespace

Launch openVideos(Application& application, const QList<QUrl>& given, MainWindow* into)
{
    // Among videos, what is not one (a text file, a folder, a web address) takes no window:
    // the message names it. Given nothing but such items, each window says what is wrong.
    QList<QUrl> videos;
    QStringList notVideos;
    for (const QUrl& item : given) {
        if (ContentView::isVideo(item))
            videos += item;
        else
            notVideos += nameOf(item);
    }
    if (videos.isEmpty()) {
        videos = given;
        notVideos.clear();
    }
    Launch launch;
    const qsizetype opened = std::min<qsizetype>(videos.size(), Launch::maxWindows);
    for (qsizetype i = 0; i < std::max<qsizetype>(opened, 1); ++i) {
        MainWindow* window = i == 0 && into ? into : application.openWindow();
        if (i < opened)
            window->content()->handleLoadedURL(videos[i]);
        launch.windows += window;
    }
    QStringList sentences;
    // Beyond eight, windows would cover the screen and jobs crowd the cores and the memory.
    if (videos.size() > opened) {
        QStringList leftOut;
        for (const QUrl& video : videos.mid(opened))
            leftOut += nameOf(video);
        sentences += Texts::text("launch.tooMany %@", leftOutText(leftOut));
    }
    if (!notVideos.isEmpty())
        sentences += Texts::text("launch.notVideos %@", leftOutText(notVideos));
    if (!sentences.isEmpty()) {
        auto* box = new QMessageBox(QMessageBox::Information, QString::fromUtf8(AppInfo::applicationName),
                                    sentences.join(QLatin1Char('\n')), QMessageBox::Ok, launch.windows.first());
        box->setTextFormat(Qt::PlainText); // names are not markup
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
