#include "MainWindow.h"

#include "AboutWindow.h"
#include "AppInfo.h"
#include "main_window/ContentView.h"
#include "texts/Texts.h"

#include <QApplication>
#include <QLayout>
#include <QMenuBar>

MainWindow::MainWindow(FrameExtractor::Decoder decoder, QWidget* parent)
    : QMainWindow(parent)
    , m_content(new ContentView(std::move(decoder), this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString::fromUtf8(AppInfo::applicationName));
    setCentralWidget(m_content);
    buildMenus();
    connect(m_content, &ContentView::videosDropped, this, [this](const QList<QUrl>& videos) { emit videosDropped(videos, this); });
    // Once a job has started the title names its video, so that the taskbar and the window
    // switcher tell the windows apart ("[*]" doubled, or Qt would take it for its mark of
    // unsaved changes).
    connect(m_content, &ContentView::statusChanged, this, [this] {
        if (const auto* processing = std::get_if<JobStatus::Processing>(&m_content->status()))
            setWindowTitle(QStringLiteral("%1 \u2014 %2").arg(QString(processing->name).replace(QLatin1String("[*]"), QLatin1String("[*][*]")),
                                                            QString::fromUtf8(AppInfo::applicationName)));
    });
    // The content's fixed 400 x 300 fixes the window: it cannot be resized.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!m_appeared) {
        m_appeared = true;
        emit firstShown();
    }
}

void MainWindow::buildMenus()
{
    QMenu* file = menuBar()->addMenu(Texts::text("menu.file"));
    QAction* newWindow = file->addAction(Texts::text("menu.newWindow"), this, &MainWindow::newWindowRequested);
    newWindow->setShortcut(QKeySequence::New);
    QAction* open = file->addAction(Texts::text("menu.openVideo"), this, [this] { m_content->openFile(); });
    open->setShortcut(QKeySequence::Open);
    // While a job runs the window takes no other video: the item says so by being disabled.
    connect(m_content, &ContentView::statusChanged, open, [this, open] { open->setEnabled(!m_content->isProcessing()); });
    file->addSeparator();
    QAction* close = file->addAction(Texts::text("menu.closeWindow"), this, &QWidget::close);
    close->setShortcut(QKeySequence::Close);
    QAction* quit = file->addAction(Texts::text("menu.quit"), qApp, &QApplication::closeAllWindows);
    quit->setShortcut(QKeySequence::Quit);
    quit->setMenuRole(QAction::QuitRole);

    QMenu* help = menuBar()->addMenu(Texts::text("menu.help"));
    // The application finds it by its name and keeps it in step with the setting, in every window.
    QAction* checkDaily = help->addAction(Texts::text("menu.checkDaily"));
    checkDaily->setObjectName(QStringLiteral("checkDaily"));
    checkDaily->setCheckable(true);
    checkDaily->setChecked(true);
    help->addSeparator();
    QAction* about = help->addAction(Texts::text("menu.about"), [] { AboutWindow::show(); });
    about->setMenuRole(QAction::AboutRole);
}
