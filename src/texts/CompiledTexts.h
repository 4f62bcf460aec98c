#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The translation tables' texts for the command line, compiled in at build time: the same
// tables the window loads, without Qt.
namespace CompiledTexts {

struct Entry {
    const char* key;
    const char* text;
};
struct Table {
    const char* language; // "de", "zh_CN"
    const Entry* entries;
    std::size_t count;
};
extern const Table tables[];
extern const std::size_t tableCount;

// The user's languages in order of preference, as the environment names them: LANGUAGE's
// list, then the first of LC_ALL, LC_MESSAGES and LANG that is set.
std::vector<std::string> languagesOfTheEnvironment();

// The text of `key` in the first of `languages` that has a table ("de_AT.UTF-8" finds the
// table of "de", "zh" that of "zh_CN"), else in English; the key itself if no table has it.
std::string text(const char* key, const std::vector<std::string>& languages);

} // namespace CompiledTexts
