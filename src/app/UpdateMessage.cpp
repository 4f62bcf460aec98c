#include "UpdateMessage.h"

#include "AppInfo.h"
#include "texts/Texts.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

QMessageBox* makeUpdateMessage(const RemoteVersion& record, std::function<void(const QUrl&)> open)
{
    auto* box = new QMessageBox;
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setIcon(QMessageBox::Information);
    box->setWindowTitle(QString::fromUtf8(AppInfo::applicationName));
    box->setWindowModality(Qt::ApplicationModal);
    box->setText(Texts::text("update.available"));
    box->setInformativeText(record.notes.value_or(QString()));
    QPushButton* download = box->addButton(Texts::text("update.download"), QMessageBox::AcceptRole);
    box->addButton(Texts::text("update.later"), QMessageBox::RejectRole);
    box->setDefaultButton(download);
    const auto openIfAllowed = [open](const QString& address) {
        const QUrl url(address, QUrl::StrictMode);
        if (mayOpen(url))
            open(url);
    };
    // The notes come from the server: their links would otherwise go straight to the desktop,
    // whatever their scheme.
    for (QLabel* label : box->findChildren<QLabel*>()) {
        label->setOpenExternalLinks(false);
        QObject::connect(label, &QLabel::linkActivated, box, openIfAllowed);
    }
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    box->setOption(QMessageBox::Option::DontUseNativeDialog); // its links would bypass the labels
#endif
    const QString page = record.url;
    QObject::connect(box, &QMessageBox::buttonClicked, box, [download, openIfAllowed, page](QAbstractButton* clicked) {
        if (clicked == download)
            openIfAllowed(page);
    });
    return box;
}
