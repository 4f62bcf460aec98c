#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QUrl>

#include <functional>
#include <memory>
#include <optional>

class QMessageBox;
class QSettings;

// Once a day, asks the maker's update server for the newest release and, when it is newer
// than the running version, offers its download page. Nothing shows when nothing is newer
// or when anything fails.
namespace UpdateChecker {

struct RemoteVersion {
    QString version;
    std::optional<qint64> build;
    QString url;
    std::optional<QString> notes;
};

// The record field by field: an object with "version" and "url" strings, "build" absent,
// null or a 64-bit integer, "notes" absent, null or a string; other keys ignored.
std::optional<RemoteVersion> decodeRemoteVersion(const QByteArray& body);

// -1, 0 or 1 as `published` orders before, with or after `running`. Runs of the digits 0-9
// at the same place compare by value (leading zeros do not count: "1.01" equals "1.1");
// every other character compares by its UTF-16 value, so other scripts' digits are plain
// characters; where one string ends while all so far was equal, it orders first.
int compareVersions(const QString& published, const QString& running);

// Called each time a main window first appears; starts at most one check a calendar day.
void checkForUpdates();

// What the checker talks to. The shipped values are the real ones; tests replace them.
struct Environment {
    QUrl versionURL;
    std::function<QDateTime()> now;
    std::function<std::unique_ptr<QSettings>()> settings;
    std::function<void(QMessageBox*)> present; // shows the message without blocking
    std::function<void(const QUrl&)> openURL;
    int timeoutMilliseconds = 60000;
    qint64 maximumBody = 64 * 1024;
};
Environment& environment();

} // namespace UpdateChecker
