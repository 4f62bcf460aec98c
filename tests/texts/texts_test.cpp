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
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Every embedded table translates every key the code uses (Texts::text("...") calls, the
// failures' table and the disclaimer), with one "%@" wherever the key has one; lrelease leaves unfinished
// entries out, so they count as missing.
TEST(Translations, everyTableHoldsEveryKeyTheCodeUses)
{
    QSet<QString> used{QString::fromUtf8(disclaimerText)};
    // Keys looked up where they are used, and the failures' and reasons' keys in their tables.
    const QRegularExpression call(
        QStringLiteral(R"re(Texts::text\(\s*"([^"]+)"|"((?:error|reason|cli)\.\w+(?: %@)?)")re"));
    for (QDirIterator it(QStringLiteral(SOURCE_DIR "/src"), {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
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

// What the user reads, by language, as (key or file name, text): the tables' entries, and the
// manual pages, the desktop entry's names and comments and the AppStream metadata's texts.
struct ShippedTexts {
    QMap<QString, QList<std::pair<QString, QString>>> tables, files;
};

QString contents(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return QString::fromUtf8(file.readAll());
}

ShippedTexts shippedTexts()
{
    ShippedTexts texts;
    const QString translations = QStringLiteral(SOURCE_DIR "/translations/");
    for (const QString& name : QDir(translations).entryList({QStringLiteral("framepicker_*.ts")})) {
        QXmlStreamReader table(contents(translations + name));
        QString key;
        while (!table.atEnd()) {
            if (table.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (table.name() == QLatin1String("source"))
                key = table.readElementText();
            else if (table.name() == QLatin1String("translation"))
                texts.tables[name.mid(12).chopped(3)].append({key, table.readElementText()});
        }
    }
    for (const QString& page : {QStringLiteral("framepicker.1"), QStringLiteral("framepicker-cli.1.in")})
        texts.files[QStringLiteral("en")].append({page, contents(QStringLiteral(SOURCE_DIR "/packaging/man/") + page)});
    const QString data = QStringLiteral(SOURCE_DIR "/data/app.korvane.Framepicker.");
    const QRegularExpression entry(QStringLiteral(R"(^(?:Name|GenericName|Comment)(?:\[(\w+)\])?=(.*)$)"),
                                   QRegularExpression::MultilineOption);
    for (const auto& line : entry.globalMatch(contents(data + QStringLiteral("desktop")))) {
        const QString language = line.captured(1).isEmpty() ? QStringLiteral("en") : line.captured(1);
        texts.files[language].append({QStringLiteral("desktop entry"), line.captured(2)});
    }
    using namespace Qt::StringLiterals;
    QXmlStreamReader metainfo(contents(data + QStringLiteral("metainfo.xml")));
    while (!metainfo.atEnd()) {
        if (metainfo.readNext() != QXmlStreamReader::StartElement
            || !QStringList{u"name"_s, u"summary"_s, u"p"_s, u"li"_s, u"caption"_s}.contains(metainfo.name()))
            continue;
        const QString language = metainfo.attributes().value(QLatin1String("xml:lang")).toString();
        texts.files[language.isEmpty() ? QStringLiteral("en") : language].append(
            {QStringLiteral("metainfo"), metainfo.readElementText(QXmlStreamReader::IncludeChildElements)});
    }
    return texts;
}

// Each language calls a thing by one name, the glossary's (translations/glossary.tsv), in the
// window, the command line, the manual pages, the desktop entry and the metadata alike, and
// quotes and spaces as the glossary says. No text mixes ASCII and typographic quotes (English
// keeps the ASCII ones to the command line). In Japanese and Chinese, a table's text whose
// English ends with a full stop ends with 。, ？ or ！.
TEST(Translations, everyTextUsesTheGlossarysTermsAndItsLanguagesPunctuation)
{
    const ShippedTexts texts = shippedTexts();
    ASSERT_EQ(texts.tables.size(), 6);
    // Options and paths (--jobs=N, clips/a/trip.mov) are not words of the language.
    const QRegularExpression notWords(QStringLiteral(R"((?:^|(?<=\s))--?\w[\w=-]*|\w+(?:[/.]\w+)+)"));
    int variants = 0;
    for (const QString& line : contents(QStringLiteral(SOURCE_DIR "/translations/glossary.tsv")).split(u'\n')) {
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const QStringList cells = line.split(u'\t');
        ASSERT_GE(cells.size(), 3) << line.toStdString();
        ASSERT_TRUE(texts.tables.contains(cells[1])) << line.toStdString();
        for (const QString& pattern : cells.mid(3)) {
            const QRegularExpression variant(pattern, QRegularExpression::CaseInsensitiveOption
                                                          | QRegularExpression::UseUnicodePropertiesOption);
            ASSERT_TRUE(variant.isValid()) << line.toStdString();
            ++variants;
            for (const auto* source : {&texts.tables, &texts.files})
                for (const auto& [where, text] : source->value(cells[1])) {
                    const QString found = variant.match(QString(text).replace(notWords, QStringLiteral("#"))).captured();
                    EXPECT_TRUE(found.isEmpty()) << cells[1].toStdString() << ", " << where.left(40).toStdString()
                                                 << ": \"" << found.toStdString() << "\" where the glossary says \""
                                                 << cells[2].toStdString() << "\" (" << cells[0].toStdString() << ")";
                }
        }
    }
    EXPECT_GT(variants, 50);

    const QRegularExpression typographicQuote(QStringLiteral("[“”„«»「」]")), stop(QStringLiteral("[。？！]\\s*$"));
    QMap<QString, QString> english;
    for (const auto& [key, text] : texts.tables[QStringLiteral("en")])
        english[key] = text;
    for (const QString& language : texts.tables.keys())
        for (const auto& [key, text] : texts.tables[language]) {
            EXPECT_FALSE(text.contains(u'"') && text.contains(typographicQuote))
                << language.toStdString() << ", " << key.left(40).toStdString() << " mixes ASCII and typographic quotes";
            if (language.startsWith(QLatin1String("ja")) || language.startsWith(QLatin1String("zh"))) {
                EXPECT_TRUE(!english.value(key).trimmed().endsWith(u'.') || stop.match(text).hasMatch())
                    << language.toStdString() << ", " << key.left(40).toStdString() << ": " << text.toStdString();
            }
        }
}

// Each failure reads as its kind's reviewed sentence (translations/reviewed_failures.tsv):
// two kinds' sentences swapped in a table would tell of a failure that did not happen.
TEST(Translations, everyFailureReadsAsItsReviewedSentence)
{
    const ShippedTexts texts = shippedTexts();
    int reviewed = 0;
    for (const QString& line : contents(QStringLiteral(SOURCE_DIR "/translations/reviewed_failures.tsv")).split(u'\n')) {
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const QStringList cells = line.split(u'\t');
        ASSERT_EQ(cells.size(), 3) << line.toStdString();
        const auto& table = texts.tables[cells[1]];
        const auto entry = std::ranges::find(table, cells[0], &std::pair<QString, QString>::first);
        EXPECT_EQ((entry != table.end() ? entry->second : QStringLiteral("<missing>")).toStdString(), cells[2].toStdString())
            << cells[1].toStdString() << ", " << cells[0].toStdString();
        ++reviewed;
    }
    EXPECT_GT(reviewed, 150);
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
