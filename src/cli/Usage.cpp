#include "Usage.h"

#include "texts/CompiledTexts.h"
#include "texts/FailureText.h"

#include <cstdio>

namespace Cli {

std::string text(const char* key)
{
    static const std::vector<std::string> languages = CompiledTexts::languagesOfTheEnvironment();
    return CompiledTexts::text(key, languages);
}

std::string text(const char* key, const std::string& argument)
{
    return withArgument(text(key), argument);
}

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

std::string errorLine(const std::string& message, std::string_view program)
{
    return std::string(program) + ": " + printable(message) + "\n";
}

std::string usageErrorLines(const UsageError& error, std::string_view program)
{
    return errorLine(text(error.key, error.argument), program) + text("cli.tryHelp %@", std::string(program)) + "\n";
}

} // namespace Cli
