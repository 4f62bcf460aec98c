#pragma once

#include <QString>

#include <variant>

// The job state of one main window.
namespace JobStatus {
struct Idle {};
// The video's name without its extension, and, once the worker has told, the share of the
// job done (never 1 before the images are in place) and the time it should still take.
struct Processing {
    QString name;
    double done = -1;       // below 0 while not known
    int secondsLeft = -1;   // below 0 while not known
};
struct Done { QString folder; };         // the output folder's path
struct Cancelled {};                     // the user stopped the job; the folder is as it was
// A message ready to show, with the name it holds kept apart: a long name gives way,
// shortened in its middle, so the sentence's own words and the reason stay in view.
struct Error {
    explicit Error(QString message) : lead(std::move(message)) {}
    Error(QString lead, QString name, QString tail) : lead(std::move(lead)), name(std::move(name)), tail(std::move(tail)) {}
    QString lead;               // the words before the name; the whole message if it names none
    QString name;
    QString tail;               // the words after it, the reason included
    bool offersFolder = false;  // the folder beside the video cannot be written; another may do
    QString message() const { return lead + name + tail; }
};
} // namespace JobStatus

using Status = std::variant<JobStatus::Idle, JobStatus::Processing, JobStatus::Done, JobStatus::Error, JobStatus::Cancelled>;
