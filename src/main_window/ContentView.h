#pragma once

#include "Status.h"
#include "extraction/FrameExtractor.h"

#include <QString>
#include <QThreadPool>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include <functional>
#include <memory>

class DropZone;
class QShortcut;
class StatusLine;

// The main window's content: the drop zone, the status line beneath it, and the job flow
// that turns one video into its two images.
class ContentView : public QWidget {
    Q_OBJECT
public:
    using Idle = JobStatus::Idle;
    using Processing = JobStatus::Processing;
    using Done = JobStatus::Done;
    using Error = JobStatus::Error;
    using Cancelled = JobStatus::Cancelled;
    using Status = ::Status;

    // `decoder` reads the videos: a confined worker process in the application.
    explicit ContentView(FrameExtractor::Decoder decoder, QWidget* parent = nullptr);
    ~ContentView() override;

    const Status& status() const { return m_status; }
    bool isProcessing() const { return std::holds_alternative<Processing>(m_status); }

    // Whether the address is a local file of a supported type (not a folder).
    static bool isVideo(const QUrl& url);
    // A dropped item's address: checked to be a local file of a supported type, then processed
    // (unless a job runs).
    void handleLoadedURL(const QUrl& url);
    // Starts the job for one video and returns at once; its folder goes beside the video.
    void processVideo(const QString& path);
    // File > Open Video: asks for one video, unless a job is running.
    void openFile();
    // The error's "Choose Another Folder…": asks for a folder and runs the failed video's job
    // again into a folder named after it there. Each such failure asks anew.
    void chooseAnotherFolder();

    // Where openFile gets its file from; unless replaced (tests do), the file dialog, opening
    // where a video was last chosen (kept in the settings), at first in the user's videos.
    std::function<QString(QWidget* parent)> chooseFile;
    // Where chooseAnotherFolder gets its folder from; the real folder dialog unless replaced.
    std::function<QString(QWidget* parent)> chooseFolder;
    // Opens a folder or an image for the user, and calls `failed` if nothing could; the
    // desktop's handler unless replaced. A failure is said in the status line.
    std::function<void(const QUrl& item, std::function<void()> failed)> openItem;

    // The running job stops at once, its worker with it, and the folder stays as it was;
    // "Cancel" and Escape. Nothing happens while none runs.
    void cancel();

    struct Job;
    // The threads the windows' jobs run on; the program waits for them before it ends.
    static QThreadPool& jobs();

    DropZone* dropZone() const { return m_dropZone; }
    StatusLine* statusLine() const { return m_statusLine; }

signals:
    void statusChanged();
    // Several videos were dropped at once; this window has taken none of them.
    void videosDropped(const QList<QUrl>& videos);

private:
    void setStatus(Status status);
    void showProgress();
    void open(const QUrl& item);
    // `chosenPlace` empty: into the folder beside the video.
    void runJob(const QString& path, const QString& chosenPlace);

    FrameExtractor::Decoder m_decoder;
    QString m_video; // the last job's, for another folder
    Status m_status = Idle{};
    DropZone* m_dropZone;
    StatusLine* m_statusLine;
    QShortcut* m_escape;
    std::shared_ptr<Job> m_job; // the running one
    QTimer m_progressTimer;
};
