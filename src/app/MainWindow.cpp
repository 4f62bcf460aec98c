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
    file->addSeparator();
    QAction* close = file->addAction(Texts::text("menu.closeWindow"), this, &QWidget::close);
    close->setShortcut(QKeySequence::Close);
    QAction* quit = file->addAction(Texts::text("menu.quit"), qApp, &QApplication::closeAllWindows);
    quit->setShortcut(QKeySequence::Quit);
    quit->setMenuRole(QAction::QuitRole);

    QMenu* help = menuBar()->addMenu(Texts::text("menu.help"));
    QAction* about = help->addAction(Texts::text("menu.about"), [] { AboutWindow::show(); });
    about->setMenuRole(QAction::AboutRole);
}
