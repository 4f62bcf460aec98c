#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QMetaType>
#include <QObject>
#include <QString>
#include <QUrl>

#include <functional>
#include <memory>
#include <optional>

class QNetworkAccessManager;
class QSettings;

// The newest release, as the update server describes it.
struct RemoteVersion {
    QString version;
    std::optional<qint64> build;
    QString url;
    std::optional<QString> notes;
};
Q_DECLARE_METATYPE(RemoteVersion)

// The record field by field: an object with "version" and "url" strings, "build" absent,
// null or a 64-bit integer, "notes" absent, null or a string; other keys ignored.
std::optional<RemoteVersion> decodeRemoteVersion(const QByteArray& body);

// -1, 0 or 1 as `published` orders before, with or after `running`. Runs of the digits 0-9
// at the same place compare by value (leading zeros do not count: "1.01" equals "1.1");
// every other character compares by its UTF-16 value, so other scripts' digits are plain
// characters; where one string ends while all so far was equal, it orders first.
// Not QVersionNumber: it holds each part in an int, and a part past that range makes the
// whole version null ("99999999999999999999999" would equal "99999999999999999999998"); and it leaves
// whatever follows the numbers out of the order ("1.0b" would equal "1.0a").
int compareVersions(const QString& published, const QString& running);

// Whether an address the update server sent may be opened: absolute https with a host.
// The one gate for the release's download page and every link in its notes.
bool mayOpen(const QUrl& url);

// Once a calendar day, asks the update server for the newest release and announces it
// when its version starts with a digit and is newer than the running version, and its
// download page may be opened. Nothing is announced when nothing is newer or when anything
// fails, a status other than 200 included. The user may turn the daily check off (the
// setting "updates/checkDaily", on when absent): then no request is made, and one on its
// way is not announced.
class UpdateChecker : public QObject {
    Q_OBJECT
public:
    struct Dependencies {
        QNetworkAccessManager* network = nullptr;
        std::function<std::unique_ptr<QSettings>()> settings;
        std::function<QDateTime()> now;
        QUrl versionURL;
        QString runningVersion; // "0" when empty
        int timeoutMilliseconds = 60000;
        qint64 maximumBody = 64 * 1024;
    };

    explicit UpdateChecker(Dependencies dependencies, QObject* parent = nullptr);

    // Called each time a main window first appears; starts at most one request a calendar
    // day and returns at once.
    void checkForUpdates();

    // The user's choice, read from and written to the settings. Turning it on makes no
    // request by itself: the next window to appear checks, if today's check has not been made.
    bool checksDaily() const;
    void setChecksDaily(bool on);

signals:
    void newerVersionAvailable(const RemoteVersion& record);
    // Emitted when setChecksDaily changes the setting, so that every window's menu follows.
    void checksDailyChanged(bool on);

private:
    void fetchLatestVersion();
    Dependencies m_dependencies;
};
