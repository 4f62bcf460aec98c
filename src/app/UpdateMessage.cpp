#include "UpdateMessage.h"

#include "AppInfo.h"
#include "texts/Texts.h"

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
    const QUrl url(record.url, QUrl::StrictMode);
    QObject::connect(box, &QMessageBox::buttonClicked, box, [download, url, open](QAbstractButton* clicked) {
        if (clicked == download && isWebAddress(url))
            open(url);
    });
    return box;
}
