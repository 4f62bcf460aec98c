#pragma once

#include "texts/FailureText.h"

#include <QString>

#include <variant>

// The job state of one main window.
namespace JobStatus {
struct Idle {};
struct Processing { QString name; };     // the video's name without its extension
struct Done { QString folder; };         // the output folder's path
using Error = FailureMessage; // a message ready to show
} // namespace JobStatus

using Status = std::variant<JobStatus::Idle, JobStatus::Processing, JobStatus::Done, JobStatus::Error>;
