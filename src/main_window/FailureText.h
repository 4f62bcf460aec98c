#pragma once

#include "Status.h"

#include <exception>

// A failed job in the user's language: the sentence for what happened, naming the file,
// with the library's or the system's reason inside it (in the user's language too where it
// is one users meet, else as it comes), and whether another folder may help.
JobStatus::Error failureMessage(const std::exception_ptr& failure);
