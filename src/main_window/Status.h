#pragma once

#include <QString>

#include <variant>

// The job state of one main window.
namespace JobStatus {
struct Idle {};
struct Processing { QString name; };     // the video's name without its extension
struct Done { QString folder; };         // the output folder's path
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

using Status = std::variant<JobStatus::Idle, JobStatus::Processing, JobStatus::Done, JobStatus::Error>;
