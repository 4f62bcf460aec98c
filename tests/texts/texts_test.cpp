// The translation tables: complete, consistent, and what a missing entry shows.
#include "texts/Disclaimer.h"
#include "texts/Texts.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QTranslator>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

namespace {

struct Entry {
    QString translation;
    bool unfinished = false;
};

QMap<QString, Entry> readTable(const QString& file)
{
    QFile in(file);
    EXPECT_TRUE(in.open(QIODevice::ReadOnly)) << file.toStdString();
    QXmlStreamReader xml(&in);
    QMap<QString, Entry> table;
    QString source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            Entry entry;
            entry.unfinished = xml.attributes().value(QLatin1String("type")) == QLatin1String("unfinished");
            entry.translation = xml.readElementText();
            table.insert(source, entry);
        }
    }
    EXPECT_FALSE(xml.hasError()) << file.toStdString();
    return table;
}

TEST(Translations, everyTableHoldsEveryKeyTheCodeUses)
{
    // Keys used in the code: every Texts::text("...") call in the sources.
    QSet<QString> used;
    const QRegularExpression call(QStringLiteral(R"re(Texts::text\(\s*"([^"]+)")re"));
    for (QDirIterator it(QStringLiteral(SOURCE_DIR "/src"), {QStringLiteral("*.cpp")}, QDir::Files,
                         QDirIterator::Subdirectories);
         it.hasNext();) {
        QFile file(it.next());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        for (const auto& match : call.globalMatch(QString::fromUtf8(file.readAll())))
            used.insert(match.captured(1));
    }
    used.insert(QString::fromUtf8(disclaimerText)); // its English text is its key
    const QStringList tables = QDir(QStringLiteral(SOURCE_DIR "/translations")).entryList({QStringLiteral("*.ts")});
    ASSERT_GE(tables.size(), 2);
    for (const QString& name : tables) {
        SCOPED_TRACE(name.toStdString());
        const auto table = readTable(QStringLiteral(SOURCE_DIR "/translations/") + name);
        for (const QString& key : used)
            EXPECT_TRUE(table.contains(key)) << key.toStdString();
        for (auto it = table.begin(); it != table.end(); ++it) {
            EXPECT_FALSE(it->unfinished || it->translation.isEmpty()) << it.key().toStdString();
            if (it.key().contains(QLatin1String("%@"))) {
                EXPECT_EQ(it->translation.count(QLatin1String("%@")), 1) << it.key().toStdString();
            }
        }
    }
}

TEST(Translations, missingEntriesShowTheKeyWithItsArgumentInsertedOnce)
{
    EXPECT_EQ(Texts::text("drop.title"), QStringLiteral("drop.title"));
    EXPECT_EQ(Texts::text(disclaimerText), QString::fromUtf8(disclaimerText));
    EXPECT_EQ(Texts::text("status.processing %@", QStringLiteral("100%@ done%1")),
              QStringLiteral("status.processing 100%@ done%1"));
    EXPECT_EQ(Texts::text("status.error.unsupported %@", QString()), QStringLiteral("status.error.unsupported "));
}

TEST(Translations, theGermanTableIsEmbedded)
{
    QTranslator german;
    ASSERT_TRUE(german.load(QStringLiteral("framepicker_de"), QStringLiteral(":/i18n")));
    QCoreApplication::installTranslator(&german);
    EXPECT_TRUE(Texts::text(disclaimerText).startsWith(QStringLiteral("Framepicker wird kostenlos")));
    QCoreApplication::removeTranslator(&german);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
