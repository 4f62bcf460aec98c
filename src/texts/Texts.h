#pragma once

#include <QString>

// Every text the application shows in its own words is looked up by key in the loaded
// translation tables. A key without an entry shows itself. Keys with one argument end in
// "%@"; the argument is put in place of the first "%@" of the text, literally and once.
namespace Texts {

QString text(const char* key);
QString text(const char* key, const QString& argument);

// Loads the table for the system's UI languages (English where none matches) and installs
// it; called once at start-up.
void installTranslations();

} // namespace Texts
