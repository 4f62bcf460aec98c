// Build tool: turns the translation tables' texts for the command line (the failures, their
// reasons, the command line's own) into C++ arrays, so that framepicker-cli speaks the
// user's language without loading Qt.
//   compile_texts OUTPUT.cpp framepicker_de.ts framepicker_en.ts ...
#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>

#include <cstdio>

namespace {

// A C++ string literal of the UTF-8 bytes: octal escapes (never run on into what follows)
// for everything but printable ASCII.
QByteArray literal(const QString& text)
{
    QByteArray out = "\"";
    for (const char c : text.toUtf8()) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && c != '"' && c != '\\' && c != '?')
            out += c;
        else
            out += "\\" + QByteArray::number(byte, 8).rightJustified(3, '0');
    }
    return out + "\"";
}

bool forTheCommandLine(const QString& key)
{
    return key.startsWith(QLatin1String("error.")) || key.startsWith(QLatin1String("reason."))
        || key.startsWith(QLatin1String("cli."));
}

} // namespace

int main(int argc, char** argv)
{
    QByteArray code = "// Made by compile_texts from the translation tables: edit those.\n"
                      "#include \"texts/CompiledTexts.h\"\n\nnamespace CompiledTexts {\n\nnamespace {\n\n";
    QByteArray tables;
    for (int i = 2; i < argc; ++i) {
        QFile file(QString::fromLocal8Bit(argv[i]));
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "compile_texts: cannot read %s\n", argv[i]);
            return 1;
        }
        // framepicker_zh_CN.ts holds the table of zh_CN.
        const QString language = QFileInfo(file.fileName()).completeBaseName().section(QLatin1Char('_'), 1);
        const QByteArray name = "table_" + language.toLatin1();
        code += "constexpr Entry " + name + "[] = {\n";
        QXmlStreamReader xml(&file);
        QString key;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == QLatin1String("source")) {
                key = xml.readElementText();
            } else if (xml.name() == QLatin1String("translation")) {
                const QString text = xml.readElementText();
                if (forTheCommandLine(key) && !text.isEmpty())
                    code += "    {" + literal(key) + ", " + literal(text) + "},\n";
            }
        }
        if (xml.hasError()) {
            std::fprintf(stderr, "compile_texts: %s: %s\n", argv[i], qPrintable(xml.errorString()));
            return 1;
        }
        code += "};\n";
        tables += "    {" + literal(language) + ", " + name + ", std::size(" + name + ")},\n";
    }
    code += "\n} // namespace\n\nconst Table tables[] = {\n" + tables + "};\nconst std::size_t tableCount = std::size(tables);\n\n"
            "} // namespace CompiledTexts\n";
    QFile out(QString::fromLocal8Bit(argv[1]));
    if (!out.open(QIODevice::WriteOnly) || out.write(code) != code.size()) {
        std::fprintf(stderr, "compile_texts: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
