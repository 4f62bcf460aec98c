#include "CompiledTexts.h"

#include <cstdlib>
#include <cstring>

namespace CompiledTexts {

namespace {

const Table* tableFor(std::string_view language)
{
    // "de_AT.UTF-8@euro" is "de_AT": the language, and maybe its country.
    language = language.substr(0, language.find_first_of(".@"));
    const std::string_view code = language.substr(0, language.find('_'));
    const Table* sameCode = nullptr;
    for (std::size_t i = 0; i < tableCount; ++i) {
        const std::string_view table = tables[i].language;
        if (table == language)
            return &tables[i];
        // A table made for one country serves its language only where no other is named.
        const bool forACountry = table.find('_') != std::string_view::npos;
        if (!sameCode && table.substr(0, table.find('_')) == code && (!forACountry || code == language))
            sameCode = &tables[i];
    }
    return sameCode;
}

const char* lookUp(const Table& table, const char* key)
{
    for (std::size_t i = 0; i < table.count; ++i) {
        if (std::strcmp(table.entries[i].key, key) == 0)
            return table.entries[i].text;
    }
    return nullptr;
}

} // namespace

std::vector<std::string> languagesOfTheEnvironment()
{
    std::vector<std::string> languages;
    const auto variable = [](const char* name) {
        const char* value = std::getenv(name);
        return std::string_view(value ? value : "");
    };
    for (std::string_view list = variable("LANGUAGE"); !list.empty();) {
        const std::size_t colon = list.find(':');
        languages.emplace_back(list.substr(0, colon));
        list = colon == std::string_view::npos ? std::string_view() : list.substr(colon + 1);
    }
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        if (!variable(name).empty()) {
            languages.emplace_back(variable(name));
            break;
        }
    }
    return languages;
}

std::string text(const char* key, const std::vector<std::string>& languages)
{
    for (const std::string& language : languages) {
        if (const Table* table = tableFor(language)) {
            const char* found = lookUp(*table, key);
            return found ? found : key;
        }
    }
    const Table* english = tableFor("en");
    const char* found = english ? lookUp(*english, key) : nullptr;
    return found ? found : key;
}

} // namespace CompiledTexts
