#include "ccx/compatchoice.h"

namespace tessaro {

namespace {

void appendAttribute(std::string& text, std::string_view word, CompatChoice choice) {
    if (choice == CompatChoice::Ignore)
        return;
    if (!text.empty())
        text += ' ';
    text += word;
    text += choice == CompatChoice::Yes ? "=\"yes\"" : "=\"no\"";
}

} // namespace

std::string formatCompatAttributes(CompatChoice ms, CompatChoice lynx, CompatChoice pedantic) {
    std::string text;
    appendAttribute(text, "ms", ms);
    appendAttribute(text, "lynx", lynx);
    appendAttribute(text, "pedantic", pedantic);
    return text;
}

CompatChoice readCompatChoice(std::string_view attributes, std::string_view word) {
    std::string key(word);
    key += "=\"";
    const auto found = attributes.find(key);
    if (found == std::string_view::npos)
        return CompatChoice::Ignore;
    const auto start = found + key.size();
    const auto close = attributes.find('"', start);
    const auto value = attributes.substr(
        start, close == std::string_view::npos ? std::string_view::npos : close - start);
    return value == "yes" ? CompatChoice::Yes : CompatChoice::No;
}

} // namespace tessaro
