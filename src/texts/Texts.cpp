#include "Texts.h"

#include "Sentence.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace Texts {

namespace {
constexpr const char* context = "Framepicker";
}

QString text(const char* key)
{
    return QCoreApplication::translate(context, key);
}

QString text(const char* key, const QString& argument)
{
    return QString::fromStdString(withArgument(text(key).toStdString(), argument.toStdString()));
}

void installTranslations()
{
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QLocale(), QStringLiteral("framepicker"), QStringLiteral("_"), QStringLiteral(":/i18n"))
        || translator->load(QStringLiteral("framepicker_en"), QStringLiteral(":/i18n")))
        QCoreApplication::installTranslator(translator);
    // Qt's own texts (the file dialog, message boxes, context menus) in the same language.
    auto* qt = new QTranslator(QCoreApplication::instance());
    if (qt->load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
}

} // namespace Texts
