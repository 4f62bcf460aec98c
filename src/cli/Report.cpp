#include "Report.h"

#include "texts/FailureText.h"

#include <cstdio>
#include <optional>
#include <utility>

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

Lines reportLines(const std::string& video, const Outcome& outcome, bool json)
{
    Lines lines;
    std::string object = "{\"video\":" + jsonString(video);
    if (outcome.error) {
        const FailureWords failure = failureWords(outcome.error, [](const char* key) { return text(key); });
        lines.err = errorLine(video + ": " + failureMessage(failure));
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

std::string failureMessage(const FailureWords& failure)
{
    return failure.offersFolder ? text("cli.otherFolder %@", failure.message()) : failure.message();
}

std::string confinementLine(const std::string& workerLine)
{
    constexpr std::string_view lead = "worker confinement: ";
    if (!workerLine.starts_with(lead))
        return workerLine;
    const std::string_view what = std::string_view(workerLine).substr(lead.size());
    // Why the worker could not be asked, or why its confinement was refused: the reason as
    // the system gives it.
    const auto within = [&](std::string_view before, std::string_view after) {
        return what.starts_with(before) && what.ends_with(after) && what.size() >= before.size() + after.size()
            ? std::optional(std::string(what.substr(before.size(), what.size() - before.size() - after.size())))
            : std::nullopt;
    };
    if (const auto reason = within("refused (", "), so no video is decoded"))
        return text("cli.confinement %@", text("cli.confinementRefused %@", *reason));
    if (const auto reason = within("unknown (", ")"))
        return text("cli.confinement %@", text("cli.confinementUnknown %@", *reason));
    // "Landlock ABI 7, seccomp, memory limit 1 GiB": the names as they are, the words
    // around them translated.
    constexpr std::pair<std::string_view, const char*> words[] = {
        {"no Landlock", "cli.noLandlock"}, {"no seccomp", "cli.noSeccomp"}, {"no memory limit", "cli.noMemoryLimit"}};
    constexpr std::string_view memoryLimit = "memory limit ";
    std::string parts;
    for (std::string_view rest = what; !rest.empty();) {
        const std::size_t comma = rest.find(", ");
        const std::string_view part = rest.substr(0, comma);
        rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 2);
        std::string translated(part);
        if (part.starts_with(memoryLimit))
            translated = text("cli.memoryLimit %@", std::string(part.substr(memoryLimit.size())));
        for (const auto& [english, key] : words) {
            if (part == english)
                translated = text(key);
        }
        parts += (parts.empty() ? "" : text("cli.listSeparator")) + translated;
    }
    return text("cli.confinement %@", parts);
}

} // namespace Cli
