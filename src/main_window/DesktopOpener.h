#pragma once

#include <QUrl>

#include <functional>

// Opens a file or a folder with the desktop's own handler for it, as a file manager would:
// xdg-open where there is one, otherwise Qt's desktop services. Called on the GUI thread;
// `failed` runs later on it when nothing could open the item. It may run after its caller
// is gone, so it guards what it captures.
void openWithDesktop(const QUrl& url, std::function<void()> failed);
