#include "UpdateChecker.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSettings>

namespace {

const QString lastCheckKey = QStringLiteral("UpdateChecker_lastCheckDate");
const QString checkDailyKey = QStringLiteral("updates/checkDaily");

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// A run of digits without its leading zeros.
QStringView digitRun(const QString& text, qsizetype& at)
{
    const qsizetype start = at;
    while (at < text.size() && isDigit(text[at]))
        ++at;
    QStringView run = QStringView(text).mid(start, at - start);
    while (run.size() > 1 && run.front() == QLatin1Char('0'))
        run = run.mid(1);
    return run;
}

} // namespace

bool mayOpen(const QUrl& url)
{
    return url.isValid() && !url.isRelative() && !url.host().isEmpty()
           && url.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) == 0;
}

std::optional<RemoteVersion> decodeRemoteVersion(const QByteArray& body)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonObject object = document.object();
    const QJsonValue version = object.value(QLatin1String("version")), url = object.value(QLatin1String("url"));
    if (!version.isString() || !url.isString())
        return std::nullopt;
    RemoteVersion record{version.toString(), std::nullopt, url.toString(), std::nullopt};

    const QJsonValue build = object.value(QLatin1String("build"));
    if (!build.isUndefined() && !build.isNull()) {
        // Only a number written as an integer that fits 64 bits; the parser keeps those exact.
        const QVariant number = build.toVariant();
        if (number.typeId() != QMetaType::LongLong)
            return std::nullopt;
        record.build = number.toLongLong();
    }
    const QJsonValue notes = object.value(QLatin1String("notes"));
    if (notes.isString())
        record.notes = notes.toString();
    else if (!notes.isUndefined() && !notes.isNull())
        return std::nullopt;
    return record;
}

int compareVersions(const QString& published, const QString& running)
{
    qsizetype i = 0, j = 0;
    while (i < published.size() && j < running.size()) {
        if (isDigit(published[i]) && isDigit(running[j])) {
            const QStringView a = digitRun(published, i), b = digitRun(running, j);
            if (a.size() != b.size())
                return a.size() < b.size() ? -1 : 1;
            if (const int order = a.compare(b); order != 0)
                return order < 0 ? -1 : 1;
            continue;
        }
        if (published[i] != running[j])
            return published[i] < running[j] ? -1 : 1;
        ++i;
        ++j;
    }
    const bool publishedLeft = i < published.size(), runningLeft = j < running.size();
    return publishedLeft == runningLeft ? 0 : publishedLeft ? 1 : -1;
}

UpdateChecker::UpdateChecker(Dependencies dependencies, QObject* parent)
    : QObject(parent)
    , m_dependencies(std::move(dependencies))
{
}

bool UpdateChecker::checksDaily() const
{
    return m_dependencies.settings()->value(checkDailyKey, true).toBool();
}

void UpdateChecker::setChecksDaily(bool on)
{
    if (on == checksDaily())
        return;
    const std::unique_ptr<QSettings> settings = m_dependencies.settings();
    settings->setValue(checkDailyKey, on);
    settings->sync();
    emit checksDailyChanged(on);
}

void UpdateChecker::checkForUpdates()
{
    // Turned off, today's check is not spent: turned on again, the next window makes it.
    if (!checksDaily())
        return;
    const QDateTime now = m_dependencies.now();
    const std::unique_ptr<QSettings> settings = m_dependencies.settings();
    const QVariant stored = settings->value(lastCheckKey);
    if (stored.typeId() == QMetaType::QDateTime && stored.toDateTime().toLocalTime().date() == now.toLocalTime().date())
        return;
    // Written before the request: a check that fails still counts as today's.
    settings->setValue(lastCheckKey, now);
    settings->sync();
    fetchLatestVersion();
}

void UpdateChecker::fetchLatestVersion()
{
    QNetworkRequest request(m_dependencies.versionURL);
    request.setTransferTimeout(m_dependencies.timeoutMilliseconds);
    QNetworkReply* reply = m_dependencies.network->get(request);
    const qint64 cap = m_dependencies.maximumBody;
    connect(reply, &QNetworkReply::downloadProgress, reply, [reply, cap](qint64 received, qint64 total) {
        if (received > cap || total > cap)
            reply->abort();
    });
    // The reply's context is this checker: nothing is announced once it is gone.
    connect(reply, &QNetworkReply::finished, this, [this, reply, cap] {
        reply->deleteLater();
        // An error page may carry a record too (a stale cache, a proxy's); only 200 is the
        // server's answer. A failed transfer (no connection, time-out, too large) ends the check.
        if (reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() != 200
            || reply->error() != QNetworkReply::NoError)
            return;
        // Turned off while the request was on its way: the user asked to hear nothing.
        if (!checksDaily())
            return;
        const QByteArray body = reply->read(cap + 1);
        if (body.size() > cap)
            return;
        const std::optional<RemoteVersion> record = decodeRemoteVersion(body);
        if (!record || !mayOpen(QUrl(record->url, QUrl::StrictMode)))
            return;
        const QString running = m_dependencies.runningVersion.isEmpty() ? QStringLiteral("0") : m_dependencies.runningVersion;
        // A version that does not start with a digit ("v2.0", "latest") is no release number,
        // yet it would order after ours, letters coming after digits.
        const QString& published = record->version;
        if (!published.isEmpty() && isDigit(published.front()) && compareVersions(published, running) > 0)
            emit newerVersionAvailable(*record);
    });
}
