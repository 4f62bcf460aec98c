#include "UpdateChecker.h"

#include "Texts.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMessageBox>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>
#include <QPushButton>
#include <QSettings>

namespace UpdateChecker {

namespace {

const QString lastCheckKey = QStringLiteral("UpdateChecker_lastCheckDate");

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

// Opens only web addresses: a record's url that is not absolute http or https opens nothing.
bool isWebAddress(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    return url.isValid() && !url.isRelative() && !url.host().isEmpty()
           && (scheme == QLatin1String("http") || scheme == QLatin1String("https"));
}

QPointer<QMessageBox>& currentMessage()
{
    static QPointer<QMessageBox> message;
    return message;
}

void showUpdateAlert(const RemoteVersion& record)
{
    if (currentMessage())
        return; // one message at a time
    auto* box = new QMessageBox;
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setIcon(QMessageBox::Information);
    box->setWindowTitle(QStringLiteral("Framepicker"));
    box->setWindowModality(Qt::ApplicationModal);
    box->setText(Texts::text("update.available"));
    box->setInformativeText(record.notes.value_or(QString()));
    QPushButton* download = box->addButton(Texts::text("update.download"), QMessageBox::AcceptRole);
    box->addButton(Texts::text("update.later"), QMessageBox::RejectRole);
    box->setDefaultButton(download);
    const QUrl url(record.url, QUrl::StrictMode);
    QObject::connect(box, &QMessageBox::buttonClicked, box, [download, url](QAbstractButton* clicked) {
        if (clicked == download && isWebAddress(url))
            environment().openURL(url);
    });
    currentMessage() = box;
    environment().present(box);
}

QNetworkAccessManager& network()
{
    static auto* manager = new QNetworkAccessManager(QCoreApplication::instance());
    return *manager;
}

void fetchLatestVersion()
{
    const Environment& env = environment();
    QNetworkRequest request(env.versionURL);
    request.setTransferTimeout(env.timeoutMilliseconds);
    QNetworkReply* reply = network().get(request);
    const qint64 cap = env.maximumBody;
    QObject::connect(reply, &QNetworkReply::downloadProgress, reply, [reply, cap](qint64 received, qint64 total) {
        if (received > cap || total > cap)
            reply->abort();
    });
    QObject::connect(reply, &QNetworkReply::finished, reply, [reply, cap] {
        reply->deleteLater();
        // Whatever the status code, a body that arrived whole is read; a failed transfer
        // (no connection, time-out, too large) ends the check.
        const bool answered = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid();
        const auto error = reply->error();
        if (!answered || error == QNetworkReply::OperationCanceledError || error == QNetworkReply::TimeoutError)
            return;
        const QByteArray body = reply->read(cap + 1);
        if (body.size() > cap)
            return;
        const std::optional<RemoteVersion> record = decodeRemoteVersion(body);
        if (!record)
            return;
        QString running = QCoreApplication::applicationVersion();
        if (running.isEmpty())
            running = QStringLiteral("0");
        if (compareVersions(record->version, running) > 0)
            showUpdateAlert(*record);
    });
}

} // namespace

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

void checkForUpdates()
{
    const Environment& env = environment();
    const QDateTime now = env.now();
    const std::unique_ptr<QSettings> settings = env.settings();
    const QVariant stored = settings->value(lastCheckKey);
    if (stored.typeId() == QMetaType::QDateTime && stored.toDateTime().toLocalTime().date() == now.toLocalTime().date())
        return;
    // Written before the request: a check that fails still counts as today's.
    settings->setValue(lastCheckKey, now);
    settings->sync();
    fetchLatestVersion();
}

Environment& environment()
{
    static Environment env{
        QUrl(QStringLiteral("https://updates.korvane.app/version.json")),
        [] { return QDateTime::currentDateTime(); },
        [] { return std::make_unique<QSettings>(QStringLiteral("Korvane"), QStringLiteral("Framepicker")); },
        [](QMessageBox* box) { box->show(); },
        [](const QUrl& url) { QDesktopServices::openUrl(url); },
    };
    return env;
}

} // namespace UpdateChecker
