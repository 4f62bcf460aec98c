#include "ContentView.h"

#include "DropZone.h"
#include "StatusLine.h"
#include "VideoTypes.h"
#include "extraction/FrameExtractor.h"
#include "texts/FailureText.h"
#include "texts/Texts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFuture>
#include <QSettings>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <QWindow>
#include <QtConcurrent/QtConcurrentRun>

#include <atomic>
#include <exception>

namespace {

// Set once the application quits: a job waiting for its folder then gives up, so that the
// process does not stay behind for another program's lock.
std::atomic<bool> quitting = false;

// The failure in the user's language, from the loaded tables.
JobStatus::Error errorStatus(const std::exception_ptr& failure)
{
    const FailureWords words = failureWords(failure, [](const char* key) { return Texts::text(key).toStdString(); });
    JobStatus::Error error(QString::fromStdString(words.lead), QString::fromStdString(words.name), QString::fromStdString(words.tail));
    error.offersFolder = words.offersFolder;
    return error;
}

// Sandboxed platforms grant access to a user-chosen file for the length of a job; this
// desktop has no such facility, so starting and stopping do nothing.
struct SecurityScopedAccess {
    explicit SecurityScopedAccess(const QString&) {}
    bool start() { return false; }
    void stop() {}
};

struct Outcome {
    QString folder;          // on success
    std::exception_ptr error; // on failure, put into words on the GUI thread
};

// Into the folder named after the video beside it, or inside `chosenPlace` where the user
// chose another.
Outcome extract(const QString& path, const QString& chosenPlace, const FrameExtractor::Decoder& decoder)
{
    SecurityScopedAccess access(path);
    const bool accessed = access.start();
    Outcome outcome;
    try {
        const std::filesystem::path video = QFile::encodeName(path).toStdString();
        FrameExtractor::OutputPlace place = FrameExtractor::outputPlaceFor(video);
        if (!chosenPlace.isEmpty())
            place.base = QFile::encodeName(chosenPlace).toStdString();
        const FrameExtractor::Frames frames = FrameExtractor::readFrames(video, decoder);
        const std::filesystem::path folder
            = FrameExtractor::writePair(place, frames.first, frames.last, {.cancelled = [] { return quitting.load(); }});
        outcome.folder = QFile::decodeName(folder.c_str());
    } catch (...) {
        outcome.error = std::current_exception();
    }
    if (accessed)
        access.stop();
    return outcome;
}

// The name without its last extension: "My Clip.final.mov" gives "My Clip.final".
QString nameWithoutExtension(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot > 0 ? name.left(dot) : name;
}

} // namespace

ContentView::ContentView(FrameExtractor::Decoder decoder, QWidget* parent)
    : QWidget(parent)
    , m_decoder(std::move(decoder))
    , m_dropZone(new DropZone(this))
    , m_statusLine(new StatusLine(this))
{
    setFixedSize(400, 300);
    auto* layout = new QVBoxLayout(this);
    constexpr int padding = 16; // each side of the drop zone and around the window's edge
    layout->setContentsMargins(padding, padding, padding, padding);
    layout->setSpacing(0);
    auto* zoneBox = new QVBoxLayout;
    zoneBox->setContentsMargins(padding, padding, padding, 0);
    zoneBox->addWidget(m_dropZone);
    layout->addLayout(zoneBox, 1);
    m_statusLine->setFixedHeight(32);
    m_statusLine->setContentsMargins(padding, 0, padding, 0);
    layout->addWidget(m_statusLine);

    // Only the first of several dropped files is taken.
    connect(m_dropZone, &DropZone::urlsDropped, this, [this](const QList<QUrl>& urls) {
        if (!isProcessing())
            handleLoadedURL(urls.first());
    });

    connect(m_dropZone, &DropZone::activated, this, &ContentView::openFile);

    chooseFile = [](QWidget* parent) {
        QFileDialog dialog(parent, Texts::text("openPanel.title"));
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setNameFilters({Texts::text("openPanel.videos %@", VideoTypes::globPatterns().join(QLatin1Char(' '))),
                               Texts::text("openPanel.allFiles")});
        // Where the last video was chosen, in this session or an earlier one; at first the
        // user's videos.
        QSettings settings;
        QString folder = settings.value(QStringLiteral("openPanel/folder")).toString();
        if (folder.isEmpty() || !QFileInfo(folder).isDir())
            folder = QStandardPaths::writableLocation(QStandardPaths::MoviesLocation);
        dialog.setDirectory(QFileInfo(folder).isDir() ? folder : QDir::homePath());
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        const QString chosen = dialog.selectedFiles().first();
        settings.setValue(QStringLiteral("openPanel/folder"), QFileInfo(chosen).absolutePath());
        return chosen;
    };
    chooseFolder = [](QWidget* parent) { return QFileDialog::getExistingDirectory(parent); };
    connect(m_statusLine, &StatusLine::folderChoiceRequested, this, &ContentView::chooseAnotherFolder);
    [[maybe_unused]] static const QMetaObject::Connection watchingQuit
        = connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, QCoreApplication::instance(), [] { quitting = true; });
}

void ContentView::setStatus(Status status)
{
    m_status = std::move(status);
    m_statusLine->setStatus(m_status);
    m_dropZone->setRefusingDrops(isProcessing());
    emit statusChanged();
}

void ContentView::handleLoadedURL(const QUrl& url)
{
    if (!url.isLocalFile() || url.toLocalFile().isEmpty()) {
        setStatus(Error{Texts::text("status.error.readUrl")});
        return;
    }
    const QString path = url.toLocalFile();
    const QString fileName = QFileInfo(path).fileName();
    if (QFileInfo(path).isDir()) {
        setStatus(Error{Texts::text("error.folder %@", fileName)});
        return;
    }
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    const QString extension = dot >= 0 ? fileName.mid(dot + 1) : QString();
    if (extension.isEmpty()) {
        setStatus(Error{Texts::text("status.error.noExtension")});
        return;
    }
    if (!VideoTypes::isSupportedExtension(extension)) {
        setStatus(Error{Texts::text("status.error.unsupported %@", extension)});
        return;
    }
    processVideo(path);
}

void ContentView::processVideo(const QString& path)
{
    runJob(path, {});
}

void ContentView::chooseAnotherFolder()
{
    if (isProcessing() || m_video.isEmpty())
        return;
    const QString place = chooseFolder(this);
    if (place.isEmpty())
        return;
    runJob(m_video, place);
}

void ContentView::runJob(const QString& path, const QString& chosenPlace)
{
    m_video = path;
    // Busy from this moment, so a second drop or Open Video is refused at once.
    setStatus(Processing{nameWithoutExtension(path)});
    // The continuation runs on the GUI thread, and not at all once this view is gone; the
    // job itself runs to its end, unless the application quits first and stops it.
    QtConcurrent::run(extract, path, chosenPlace, m_decoder).then(this, [this](const Outcome& outcome) {
        if (outcome.error)
            setStatus(errorStatus(outcome.error));
        else
            setStatus(Done{outcome.folder});
        // A job that ends while the user is elsewhere: the window asks for attention, as
        // QApplication::alert does (the taskbar entry flashes or is marked).
        if (QWindow* handle = window()->windowHandle(); handle && !window()->isActiveWindow())
            handle->alert(0);
    });
}

void ContentView::openFile()
{
    if (isProcessing())
        return;
    const QString path = chooseFile(this);
    if (!path.isEmpty())
        processVideo(path);
}
