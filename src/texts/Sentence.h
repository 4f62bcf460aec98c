#pragma once

#include <string>

// A sentence around a name, the name kept apart: a window short of room shortens the name in
// its middle, so that the sentence's own words stay in view.
struct NamedSentence {
    std::string lead; // the words before the name; the whole sentence if it names none
    std::string name;
    std::string tail; // the words after it
    std::string whole() const { return lead + name + tail; }
};

// A translated text with its "%@" taken by `name`, literally and once: the one place where a
// text gets its argument. A text without "%@" is all lead.
inline NamedSentence around(const std::string& text, const std::string& name)
{
    const std::size_t at = text.find("%@");
    if (at == std::string::npos)
        return {text, {}, {}};
    return {text.substr(0, at), name, text.substr(at + 2)};
}

inline std::string withArgument(const std::string& text, const std::string& argument)
{
    return around(text, argument).whole();
}
