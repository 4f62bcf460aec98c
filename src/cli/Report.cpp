#include "Report.h"

#include "texts/FailureText.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

namespace Cli {

std::string printable(std::string_view text)
{
    const auto isControl = [&](std::size_t i) {
        const auto c = static_cast<unsigned char>(text[i]);
        // C1 controls, encoded in UTF-8 as C2 80 to C2 9F, are commands to many terminals too.
        return c < 0x20 || c == 0x7F
            || (c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x80
                && static_cast<unsigned char>(text[i + 1]) <= 0x9F);
    };
    bool any = false;
    for (std::size_t i = 0; i < text.size() && !any; ++i)
        any = isControl(i);
    if (!any)
        return std::string(text);
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\\') {
            out += "\\\\";
        } else if (isControl(i)) {
            const unsigned code = c == 0xC2 ? static_cast<unsigned char>(text[++i]) : c;
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02X", code);
            out += code == '\n' ? "\\n" : code == '\t' ? "\\t" : escape;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string errorLine(const QString& text)
{
    return "framepicker-cli: " + printable(text.toStdString()) + "\n";
}

Lines reportLines(const std::string& video, const Outcome& outcome, bool json)
{
    const auto string = [](const std::string& bytes) { return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())); };
    Lines lines;
    QJsonObject object{{QStringLiteral("video"), string(video)}};
    if (outcome.error) {
        const FailureMessage failure = failureMessage(outcome.error);
        lines.err = "framepicker-cli: " + printable(video) + ": " + printable(failure.message().toStdString()) + "\n";
        object.insert(QStringLiteral("error"), failure.message());
        object.insert(QStringLiteral("kind"), QString::fromLatin1(failure.kind));
    } else {
        object.insert(QStringLiteral("folder"), string(outcome.folder.string()));
        object.insert(QStringLiteral("first"), string((outcome.folder / "first.png").string()));
        object.insert(QStringLiteral("last"), string((outcome.folder / "last.png").string()));
        lines.out = printable(outcome.folder.string()) + "\n";
    }
    if (json)
        lines.out = QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString() + "\n";
    return lines;
}

} // namespace Cli
