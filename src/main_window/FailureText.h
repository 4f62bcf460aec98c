#pragma once

#include <QString>

#include <exception>

// A failed job in the user's language: the sentence for what happened, naming the file,
// then the library's or the system's own reason as it comes. Failures without a kind of
// their own (a folder or file that cannot be written) keep their English text.
QString failureText(const std::exception_ptr& failure);
