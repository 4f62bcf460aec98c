#pragma once

#include "update/UpdateChecker.h"

#include <QUrl>

#include <functional>

class QMessageBox;

// The message that offers a newer release: information icon, "update.available", the
// release notes, "update.download" (the default) and "update.later". Download and the
// notes' links open through `open`, and only addresses that pass mayOpen. Deleted when closed.
QMessageBox* makeUpdateMessage(const RemoteVersion& record, std::function<void(const QUrl&)> open);
