#pragma once

#include "Status.h"
#include "extraction/FrameExtractor.h"

#include <QString>
#include <QUrl>
#include <QWidget>

#include <functional>

class DropZone;
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
    using Status = ::Status;

    // `decoder` reads the videos: a confined worker process in the application.
    explicit ContentView(FrameExtractor::Decoder decoder, QWidget* parent = nullptr);

    const Status& status() const { return m_status; }
    bool isProcessing() const { return std::holds_alternative<Processing>(m_status); }

    // A dropped item's address: checked to be a local file of a supported type, then processed.
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

    DropZone* dropZone() const { return m_dropZone; }
    StatusLine* statusLine() const { return m_statusLine; }

signals:
    void statusChanged();

private:
    void setStatus(Status status);
    // `chosenPlace` empty: into the folder beside the video.
    void runJob(const QString& path, const QString& chosenPlace);

    FrameExtractor::Decoder m_decoder;
    QString m_video; // the last job's, for another folder
    Status m_status = Idle{};
    DropZone* m_dropZone;
    StatusLine* m_statusLine;
};
