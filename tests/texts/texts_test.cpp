// The translation tables: complete, consistent, and what a missing entry shows.
#include "texts/Disclaimer.h"
#include "texts/Texts.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTranslator>

#include <gtest/gtest.h>

namespace {

// Every embedded table translates every key the code uses (Texts::text("...") calls, the
// failures' table and the disclaimer), with one "%@" wherever the key has one; lrelease leaves unfinished
// entries out, so they count as missing.
TEST(Translations, everyTableHoldsEveryKeyTheCodeUses)
{
    QSet<QString> used{QString::fromUtf8(disclaimerText)};
    // Keys looked up where they are used, and the failures' and reasons' keys in their tables.
    const QRegularExpression call(
        QStringLiteral(R"re(Texts::text\(\s*"([^"]+)"|"((?:error|reason|cli)\.\w+(?: %@)?|Failed to encode PNG: %@)")re"));
    for (QDirIterator it(QStringLiteral(SOURCE_DIR "/src"), {QStringLiteral("*.cpp")}, QDir::Files,
                         QDirIterator::Subdirectories);
         it.hasNext();) {
        QFile file(it.next());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        for (const auto& match : call.globalMatch(QString::fromUtf8(file.readAll())))
            used.insert(match.captured(1) + match.captured(2));
    }
    const QStringList tables = QDir(QStringLiteral(":/i18n")).entryList({QStringLiteral("*.qm")});
    ASSERT_EQ(tables.size(), QDir(QStringLiteral(SOURCE_DIR "/translations")).entryList({QStringLiteral("*.ts")}).size());
    for (const QString& name : tables) {
        QTranslator table;
        ASSERT_TRUE(table.load(name, QStringLiteral(":/i18n")));
        for (const QString& key : used) {
            const QString text = table.translate("Framepicker", key.toUtf8().constData());
            EXPECT_FALSE(text.isEmpty()) << name.toStdString() << ": " << key.toStdString();
            EXPECT_EQ(text.count(QLatin1String("%@")), key.count(QLatin1String("%@")))
                << name.toStdString() << ": " << key.toStdString();
        }
    }
}

TEST(Translations, missingEntriesShowTheKeyWithItsArgumentInsertedOnce)
{
    EXPECT_EQ(Texts::text(disclaimerText), QString::fromUtf8(disclaimerText));
    EXPECT_EQ(Texts::text("status.processing %@", QStringLiteral("100%@ done%1")),
              QStringLiteral("status.processing 100%@ done%1"));
    EXPECT_EQ(Texts::text("status.error.unsupported %@", QString()), QStringLiteral("status.error.unsupported "));
}

// Each language's session finds its own table (the locale's name must match the file's).
TEST(Translations, eachLanguageFindsItsTable)
{
    const std::pair<QLocale, const char*> sessions[] = {
        {QLocale(QLocale::French, QLocale::France), "D\u00E9posez une vid\u00E9o ici"},
        {QLocale(QLocale::French, QLocale::Canada), "D\u00E9posez une vid\u00E9o ici"},
        {QLocale(QLocale::Spanish, QLocale::Mexico), "Suelta un v\u00EDdeo aqu\u00ED"},
        {QLocale(QLocale::Japanese, QLocale::Japan), "\u3053\u3053\u306B\u30D3\u30C7\u30AA\u3092\u30C9\u30ED\u30C3\u30D7"},
        {QLocale(QLocale::Chinese, QLocale::China), "\u5C06\u89C6\u9891\u62D6\u653E\u5230\u6B64\u5904"},
        {QLocale(QLocale::German, QLocale::Austria), "Video hierher ziehen"},
    };
    for (const auto& [locale, title] : sessions) {
        QTranslator table;
        ASSERT_TRUE(table.load(locale, QStringLiteral("framepicker"), QStringLiteral("_"), QStringLiteral(":/i18n")))
            << locale.name().toStdString();
        EXPECT_EQ(table.translate("Framepicker", "drop.title"), QString::fromUtf8(title)) << locale.name().toStdString();
    }
}

// A German session: our texts and Qt's own (the dialogs' buttons) in German. An Italian
// one, a language we have no table for, reads English rather than the keys.
TEST(Translations, aGermanSessionGetsOurTablesAndQtsOwn)
{
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    Texts::installTranslations();
    EXPECT_EQ(Texts::text("drop.title").toStdString(), "Drop a video here");
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    Texts::installTranslations();
    EXPECT_TRUE(Texts::text(disclaimerText).startsWith(QStringLiteral("Framepicker wird kostenlos")));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Abbrechen"));
}

} // namespace
