#include "Report.h"

#include "texts/CompiledTexts.h"
#include "texts/FailureText.h"

#include <cstdio>

namespace Cli {

namespace {

// The length of the well-formed UTF-8 sequence at the start of the bytes, or 0.
std::size_t utf8Length(std::string_view bytes)
{
    const auto byte = [&](std::size_t k) { return k < bytes.size() ? static_cast<unsigned char>(bytes[k]) : 0u; };
    const unsigned lead = byte(0);
    if (lead < 0x80)
        return 1;
    const std::size_t length = lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3 : lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
    // The second byte's range excludes overlong forms, surrogates and code points past U+10FFFF.
    const unsigned second = byte(1);
    const unsigned low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
    const unsigned high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
    if (length == 0 || second < low || second > high)
        return 0;
    for (std::size_t k = 2; k < length; ++k) {
        if ((byte(k) & 0xC0) != 0x80)
            return 0;
    }
    return length;
}

// A JSON string of the bytes: quotes, backslashes and control characters escaped, and
// bytes that are not UTF-8 (a file name may hold any) replaced by U+FFFD.
std::string jsonString(std::string_view bytes)
{
    std::string out = "\"";
    for (std::size_t i = 0; i < bytes.size();) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
            ++i;
        } else if (c < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            out += escape;
            ++i;
        } else if (const std::size_t length = utf8Length(bytes.substr(i)); length == 0) {
            out += "\xEF\xBF\xBD";
            ++i;
        } else {
            out += bytes.substr(i, length);
            i += length;
        }
    }
    return out + "\"";
}

} // namespace

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

std::string text(const char* key)
{
    static const std::vector<std::string> languages = CompiledTexts::languagesOfTheEnvironment();
    return CompiledTexts::text(key, languages);
}

std::string text(const char* key, const std::string& argument)
{
    return withArgument(text(key), argument);
}

std::string errorLine(const std::string& message)
{
    return "framepicker-cli: " + printable(message) + "\n";
}

Lines reportLines(const std::string& video, const Outcome& outcome, bool json)
{
    Lines lines;
    std::string object = "{\"video\":" + jsonString(video);
    if (outcome.error) {
        const FailureWords failure = failureWords(outcome.error, [](const char* key) { return text(key); });
        lines.err = errorLine(video + ": " + failure.message());
        object += ",\"error\":" + jsonString(failure.message()) + ",\"kind\":" + jsonString(failure.kind);
    } else {
        object += ",\"folder\":" + jsonString(outcome.folder.string()) + ",\"first\":"
            + jsonString((outcome.folder / "first.png").string()) + ",\"last\":" + jsonString((outcome.folder / "last.png").string());
        lines.out = printable(outcome.folder.string()) + "\n";
    }
    if (json)
        lines.out = object + "}\n";
    return lines;
}

} // namespace Cli
