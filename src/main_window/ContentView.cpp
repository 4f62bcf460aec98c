#include "ContentView.h"

#include "DesktopOpener.h"
#include "DropZone.h"
#include "FramePair.h"
#include "Look.h"
#include "StatusLine.h"
#include "VideoTypes.h"
#include "extraction/FrameExtractor.h"
#include "texts/FailureText.h"
#include "texts/Texts.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFuture>
#include <QPointer>
#include <QSettings>
#include <QShortcut>
#include <QStandardPaths>
#include <QThreadPool>
#include <QVBoxLayout>
#include <QWindow>
#include <QtConcurrent/QtConcurrentRun>

#include <atomic>
#include <cmath>
#include <exception>
#include <optional>

namespace {

// Set once the application quits: a job waiting for its folder then gives up, so that the
// process does not stay behind for another program's lock.
std::atomic<bool> quitting = false;

// The failure in the user's language, from the loaded tables.
JobStatus::Error errorStatus(const std::exception_ptr& failure)
{
    return failureWords(failure, [](const char* key) { return Texts::text(key).toStdString(); });
}

// A message of the window's own, the name it holds (if any) kept apart.
JobStatus::Error errorNaming(const char* key, const QString& name = {})
{
    return JobStatus::Error{around(Texts::text(key).toStdString(), name.toStdString())};
}

} // namespace

// What the view and the job's thread share: the view's stop, and the share of the reading
// the worker has done, which the view shows a few times a second.
struct ContentView::Job {
    std::stop_source stop;
    std::atomic<double> done = -1;
    // When the job's thread took it up, in QDateTime's milliseconds; below 0 until then.
    std::atomic<qint64> started = -1;
};

QThreadPool& ContentView::jobs()
{
    // Each job's thread mostly waits for its worker, so every window's job gets one at once,
    // where a pool the size of the cores would keep a third window's job (and its Cancel)
    // waiting for the first two.
    static QThreadPool* const pool = [] {
        auto* threads = new QThreadPool;
        threads->setMaxThreadCount(256);
        return threads;
    }();
    return *pool;
}

namespace {

struct Outcome {
    QString folder;           // on success
    QImage first, last;       // on success: the pair as thumbnails
    std::exception_ptr error; // on failure, put into words on the GUI thread
};

// Large enough for the drop zone's half at twice the pixel density.
QImage thumbnailOf(const std::vector<std::uint8_t>& png)
{
    return FramePair::thumbnail(QByteArray::fromRawData(reinterpret_cast<const char*>(png.data()), static_cast<qsizetype>(png.size())),
                                QSize(320, 240));
}

// Into the folder named after the video beside it, or inside `chosenPlace` where the user
// chose another.
Outcome extract(const QString& path, const QString& chosenPlace, const FrameExtractor::Decoder& decoder,
                const std::shared_ptr<ContentView::Job>& job)
{
    Outcome outcome;
    job->started = QDateTime::currentMSecsSinceEpoch();
    try {
        const std::stop_token stop = job->stop.get_token();
        if (stop.stop_requested())
            throw FrameExtractor::Cancelled();
        const std::filesystem::path video = QFile::encodeName(path).toStdString();
        FrameExtractor::OutputPlace place = FrameExtractor::outputPlaceFor(video);
        if (!chosenPlace.isEmpty())
            place.base = QFile::encodeName(chosenPlace).toStdString();
        const FrameExtractor::Frames frames = FrameExtractor::readFrames(
            video, decoder, {.onProgress = [job](const FrameExtractor::Progress& progress) { job->done = progress.done; }, .stop = stop});
        // Before the pair is written, while a cancel still leaves the folder as it was.
        outcome.first = thumbnailOf(frames.first);
        outcome.last = thumbnailOf(frames.last);
        if (stop.stop_requested())
            throw FrameExtractor::Cancelled();
        const std::filesystem::path folder = FrameExtractor::writePair(
            place, frames.first, frames.last, {.cancelled = [stop] { return quitting.load() || stop.stop_requested(); }});
        outcome.folder = QFile::decodeName(folder.c_str());
    } catch (...) {
        outcome.error = std::current_exception();
    }
    return outcome;
}

bool isCancellation(const std::exception_ptr& failure)
{
    try {
        std::rethrow_exception(failure);
    } catch (const FrameExtractor::Cancelled&) {
        return true;
    } catch (...) {
        return false;
    }
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
    , openItem(openWithDesktop)
    , m_decoder(std::move(decoder))
    , m_dropZone(new DropZone(this))
    , m_statusLine(new StatusLine(this))
{
    // 400 x 300 at 9 pt, growing with the font.
    setFixedSize(Look::scaled(this, 400), Look::scaled(this, 300));
    auto* layout = new QVBoxLayout(this);
    const int padding = Look::scaled(this, 16); // each side of the drop zone and around the window's edge
    layout->setContentsMargins(padding, padding, padding, padding);
    layout->setSpacing(0);
    auto* zoneBox = new QVBoxLayout;
    zoneBox->setContentsMargins(padding, padding, padding, 0);
    zoneBox->addWidget(m_dropZone);
    layout->addLayout(zoneBox, 1);
    // Room for two lines of its text, whichever fonts they take.
    m_statusLine->setFixedHeight(std::max(Look::scaled(this, 32), 2 * QFontMetrics(Look::caption(this)).lineSpacing() + 6));
    m_statusLine->setContentsMargins(padding, 0, padding, 0);
    layout->addWidget(m_statusLine);

    // One video is this window's; several go to windows of their own (whoever listens).
    connect(m_dropZone, &DropZone::urlsDropped, this, [this](const QList<QUrl>& urls) {
        if (urls.size() == 1)
            handleLoadedURL(urls.first());
        else
            emit videosDropped(urls);
    });
    connect(m_dropZone, &DropZone::activated, this, &ContentView::openFile);
    connect(m_dropZone->frames(), &FramePair::imageActivated, this, &ContentView::open);

    chooseFile = [](QWidget* parent) {
        QFileDialog dialog(parent, Texts::text("openPanel.title"));
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setNameFilters({Texts::text("openPanel.videos %@", VideoTypes::globPatterns().join(QLatin1Char(' '))),
                               Texts::text("openPanel.allFiles")});
        // "Videos", not the dozens of patterns behind it.
        dialog.setOption(QFileDialog::HideNameFilterDetails);
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
    // Where the video is, as a place to start from; the user's pictures if it is gone.
    chooseFolder = [this](QWidget* parent) {
        QString start = QFileInfo(m_video).absolutePath();
        if (m_video.isEmpty() || !QFileInfo(start).isDir())
            start = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
        return QFileDialog::getExistingDirectory(parent, Texts::text("folderPanel.title"), start);
    };
    connect(m_statusLine, &StatusLine::folderChoiceRequested, this, &ContentView::chooseAnotherFolder);
    connect(m_statusLine, &StatusLine::folderOpenRequested, this, &ContentView::open);
    connect(m_statusLine, &StatusLine::cancelRequested, this, &ContentView::cancel);
    // Escape anywhere in the window stops its job; it is left alone while none runs.
    m_escape = new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &ContentView::cancel);
    m_escape->setEnabled(false);
    m_progressTimer.setInterval(200);
    connect(&m_progressTimer, &QTimer::timeout, this, &ContentView::showProgress);
    [[maybe_unused]] static const QMetaObject::Connection watchingQuit
        = connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, QCoreApplication::instance(), [] { quitting = true; });
}

ContentView::~ContentView() = default;

void ContentView::setStatus(Status status)
{
    m_status = std::move(status);
    m_statusLine->setStatus(m_status);
    m_dropZone->setEnabled(!isProcessing());
    m_escape->setEnabled(isProcessing());
    emit statusChanged();
}

namespace {

// Why an item dropped or opened is not taken as a video, in the user's words; none for a video.
std::optional<JobStatus::Error> refusal(const QUrl& url)
{
    if (!url.isLocalFile() || url.toLocalFile().isEmpty())
        return errorNaming("status.error.readUrl");
    const QFileInfo file(url.toLocalFile());
    if (file.isDir())
        return errorNaming("error.folder %@", file.fileName());
    // The last extension: "My Clip.final.mov" is a MOV, ".mov" too.
    const qsizetype dot = file.fileName().lastIndexOf(QLatin1Char('.'));
    const QString extension = dot >= 0 ? file.fileName().mid(dot + 1) : QString();
    if (extension.isEmpty())
        return errorNaming("status.error.noExtension");
    if (!VideoTypes::isSupportedExtension(extension))
        return errorNaming("status.error.unsupported %@", extension);
    return std::nullopt;
}

} // namespace

bool ContentView::isVideo(const QUrl& url)
{
    return !refusal(url);
}

void ContentView::handleLoadedURL(const QUrl& url)
{
    if (isProcessing())
        return;
    if (auto refused = refusal(url))
        setStatus(std::move(*refused));
    else
        processVideo(url.toLocalFile());
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

void ContentView::cancel()
{
    if (isProcessing() && m_job)
        m_job->stop.request_stop();
}

void ContentView::open(const QUrl& item)
{
    openItem(item, [view = QPointer(this), item] {
        // Said where the user looks, unless a job has taken the line since.
        if (view && !view->isProcessing())
            view->setStatus(errorNaming("status.error.cannotOpen %@", item.toLocalFile()));
    });
}

void ContentView::runJob(const QString& path, const QString& chosenPlace)
{
    if (isProcessing())
        return;
    m_video = path;
    m_dropZone->frames()->clear();
    // Busy from this moment, so a second drop or Open Video is refused at once.
    setStatus(Processing{nameWithoutExtension(path)});
    m_job = std::make_shared<Job>();
    m_progressTimer.start();
    // The continuation runs on the GUI thread, and not at all once this view is gone; the
    // job itself runs to its end, unless the application quits first and stops it.
    QtConcurrent::run(&jobs(), extract, path, chosenPlace, m_decoder, m_job).then(this, [this, name = nameWithoutExtension(path)](const Outcome& outcome) {
        m_progressTimer.stop();
        m_job.reset();
        if (outcome.error && isCancellation(outcome.error)) {
            setStatus(Cancelled{});
        } else if (outcome.error) {
            setStatus(errorStatus(outcome.error));
        } else {
            m_dropZone->frames()->setFrames(outcome.first, outcome.last, name, outcome.folder);
            setStatus(Done{outcome.folder});
        }
        // A job that ends while the user is elsewhere: the window asks for attention, as
        // QApplication::alert does (the taskbar entry flashes or is marked).
        if (QWindow* handle = window()->windowHandle(); handle && !window()->isActiveWindow())
            handle->alert(0);
    });
}

// The worker's share of the reading, never going back, and never all of it before the
// images are in place; the time left from the pace so far, once there is a pace to go by,
// growing while the share stands still.
void ContentView::showProgress()
{
    const auto* processing = std::get_if<Processing>(&m_status);
    if (!processing || !m_job || m_job->started < 0)
        return;
    Processing next = *processing;
    next.done = std::max(std::min(m_job->done.load(), 0.99), processing->done);
    const double elapsed = static_cast<double>(QDateTime::currentMSecsSinceEpoch() - m_job->started) / 1000;
    if (elapsed >= 2 && next.done >= 0.01)
        next.secondsLeft = static_cast<int>(std::ceil(elapsed * (1 - next.done) / next.done));
    if (next.done != processing->done || next.secondsLeft != processing->secondsLeft)
        setStatus(next);
}

void ContentView::openFile()
{
    if (isProcessing())
        return;
    const QString path = chooseFile(this);
    if (!path.isEmpty())
        processVideo(path);
}
