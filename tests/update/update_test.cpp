// The daily update check against a loopback server: which records are announced, and the
// once-a-day rule.
#include "update/UpdateChecker.h"

#include <QDeadlineTimer>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSettings>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

namespace {

// Answers every GET with one fixed response; counts the requests and the connections closed.
class Server : public QTcpServer {
public:
    int status = 200;
    QByteArray body;
    bool silent = false; // accepts, never answers
    int requests = 0, closed = 0;

    Server()
    {
        listen(QHostAddress::LocalHost);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = nextPendingConnection()) {
                connect(socket, &QTcpSocket::disconnected, this, [this] { ++closed; });
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    if (!socket->readAll().contains("\r\n\r\n") || silent)
                        return;
                    ++requests;
                    socket->write("HTTP/1.1 " + QByteArray::number(status) + " X\r\nContent-Type: application/json\r\n"
                                  "Content-Length: " + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
                    socket->disconnectFromHost();
                });
            }
        });
    }
};

class UpdateTest : public testing::Test {
protected:
    UpdateTest() { makeChecker(QStringLiteral("1.9")); }

    void makeChecker(const QString& running)
    {
        UpdateChecker::Dependencies dependencies;
        dependencies.network = &network;
        dependencies.versionURL = QUrl(QStringLiteral("http://127.0.0.1:%1/version.json").arg(server.serverPort()));
        dependencies.now = [this] { return now; };
        const QString file = settingsFolder.filePath(QStringLiteral("settings.ini"));
        dependencies.settings = [file] { return std::make_unique<QSettings>(file, QSettings::IniFormat); };
        dependencies.runningVersion = running;
        dependencies.timeoutMilliseconds = 500;
        checker = std::make_unique<UpdateChecker>(dependencies);
        QObject::connect(checker.get(), &UpdateChecker::newerVersionAvailable,
                         [this](const RemoteVersion& record) { announced.push_back(record); });
    }
    QSettings stored() { return QSettings(settingsFolder.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat); }

    // One check on a fresh day; true when a newer release was announced.
    bool checkWith(const QByteArray& body, int status = 200)
    {
        server.body = body;
        server.status = status;
        stored().remove(QStringLiteral("UpdateChecker_lastCheckDate"));
        announced.clear();
        const int requests = server.requests;
        // Sent with the reply's own finished, whose handlers have all run when the wait returns;
        // and the server's answer, not a failed connection.
        QSignalSpy replies(&network, &QNetworkAccessManager::finished);
        checker->checkForUpdates();
        EXPECT_TRUE(replies.wait() && server.requests > requests);
        return !announced.empty();
    }

    Server server;
    QTemporaryDir settingsFolder;
    QNetworkAccessManager network;
    QDateTime now = QDateTime(QDate(2026, 12, 7), QTime(10, 0));
    std::unique_ptr<UpdateChecker> checker;
    std::vector<RemoteVersion> announced;
};

// Leading zeros do not count; letters compare as characters; very long runs do not overflow.
TEST(VersionOrder, numericRuns)
{
    const std::tuple<const char*, const char*, int> rows[] = {
        {"1.10", "1.9", 1}, {"2.0", "1.12.3", 1}, {"1.2", "1.2", 0}, {"1.2", "1.10", -1}, {"1.0.0", "1.0", 1},
        {"1.0", "0", 1}, {"1.01", "1.1", 0}, {"1.0b", "1.0a", 1}, {"99999999999999999999999", "99999999999999999999998", 1}};
    for (const auto& [published, running, order] : rows)
        EXPECT_EQ(compareVersions(published, running), order) << published << " against " << running;
}

TEST(RemoteVersionRecord, decodedFieldByField)
{
    const auto full = decodeRemoteVersion(R"({"version":"2.0","build":9007199254740993,"url":"https://x/","notes":"n","more":1})");
    ASSERT_TRUE(full);
    EXPECT_EQ(full->notes, QStringLiteral("n"));
    const auto bare = decodeRemoteVersion(R"({"version":"2.0","url":"u","build":null,"notes":null})");
    ASSERT_TRUE(bare);
    EXPECT_FALSE(bare->notes);
    for (const char* bad : {R"({"url":"u"})", R"({"version":"2.0"})", R"({"version":2,"url":"u"})",
                            R"({"version":"2.0","url":"u","build":"7"})", R"({"version":"2.0","url":"u","build":1.5})",
                            R"({"version":"2.0","url":"u","build":1e30})", R"({"version":"2.0","url":"u","notes":3})",
                            R"([{"version":"2.0","url":"u"}])", "not json", ""})
        EXPECT_FALSE(decodeRemoteVersion(bad)) << bad;
}

TEST_F(UpdateTest, whichRecordsAreAnnounced)
{
    EXPECT_FALSE(checkWith(R"({"version":"1.9","url":"https://a/"})"));
    EXPECT_FALSE(checkWith(R"({"version":"1.2","url":"https://a/"})"));
    EXPECT_TRUE(checkWith(R"({"version":"1.9.0","url":"https://a/"})"));
    EXPECT_FALSE(checkWith(R"({"version":"v2.0","url":"https://a/"})")); // a tag, not a release number
    EXPECT_FALSE(checkWith(R"({"version":"2.0","url":"https://a/"})", 500)); // a record that is an error's body
    EXPECT_FALSE(checkWith(R"({"version":"2.0","url":"http://a/"})")); // a download page that is not https
    EXPECT_FALSE(checkWith(R"({"version":"2.0","url":"smb://a/share"})"));
    EXPECT_FALSE(checkWith(R"({"version":"2.0","url":"https://a/","notes":")" + QByteArray(70 * 1024, 'x') + "\"}"));
    makeChecker(QString()); // no version of its own counts as "0"
    EXPECT_TRUE(checkWith(R"({"version":"0.1","url":"https://a/"})"));
}

TEST_F(UpdateTest, onceACalendarDay)
{
    server.body = R"({"version":"1.0","url":"https://a/"})";
    QSignalSpy replies(&network, &QNetworkAccessManager::finished);
    checker->checkForUpdates(); // first launch
    checker->checkForUpdates(); // a second window on the same day
    ASSERT_TRUE(replies.wait());
    EXPECT_EQ(stored().value(QStringLiteral("UpdateChecker_lastCheckDate")).toDateTime(), now);

    now = now.addSecs(3600); // later today
    checker->checkForUpdates();
    now = now.addDays(1); // tomorrow
    checker->checkForUpdates();
    now = now.addDays(-3); // the clock set back
    checker->checkForUpdates();
    stored().setValue(QStringLiteral("UpdateChecker_lastCheckDate"), QStringLiteral("yesterday"));
    checker->checkForUpdates(); // not a date: absent
    // A check starts its request at once: a fifth would be answered or on its way by now.
    EXPECT_TRUE(QTest::qWaitFor([&] { return replies.size() >= 4; }, 5000));
    EXPECT_TRUE(std::ranges::all_of(network.findChildren<QNetworkReply*>(), &QNetworkReply::isFinished));
    EXPECT_EQ(server.requests, 4);
}

// Turned off while the request is on its way, what it brings is not announced.
TEST_F(UpdateTest, turnedOffItAnnouncesNothingFromARequestOnItsWay)
{
    server.body = R"({"version":"2.0","url":"https://a/"})";
    QSignalSpy replies(&network, &QNetworkAccessManager::finished);
    checker->checkForUpdates();
    checker->setChecksDaily(false);
    ASSERT_TRUE(replies.wait());
    EXPECT_EQ(server.requests, 1);
    EXPECT_TRUE(announced.empty());
}

// Left at the time-out (half a second here), not before.
TEST_F(UpdateTest, aServerThatNeverAnswersIsLeftAtTheTimeOut)
{
    server.silent = true;
    QSignalSpy replies(&network, &QNetworkAccessManager::finished);
    const QDeadlineTimer early(450); // a coarse timer may fire up to 5% early
    checker->checkForUpdates();
    ASSERT_TRUE(replies.wait());
    EXPECT_TRUE(early.hasExpired());
    EXPECT_TRUE(QTest::qWaitFor([&] { return server.closed == 1; }, 5000));
}

} // namespace
