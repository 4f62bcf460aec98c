#pragma once

#include "texts/FailureText.h"

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
// A failure, or a message of the window's own, in the user's words: a long name gives way,
// shortened in its middle, so the sentence's own words and the reason stay in view.
using Error = FailureWords;
} // namespace JobStatus

using Status = std::variant<JobStatus::Idle, JobStatus::Processing, JobStatus::Done, JobStatus::Error, JobStatus::Cancelled>;
