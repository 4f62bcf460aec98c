#pragma once

#include <QString>

#include <variant>

// The job state of one main window.
namespace JobStatus {
struct Idle {};
struct Processing { QString name; };     // the video's name without its extension
struct Done { QString folder; };         // the output folder's path
struct Error { QString message; };       // ready to show
} // namespace JobStatus

using Status = std::variant<JobStatus::Idle, JobStatus::Processing, JobStatus::Done, JobStatus::Error>;
