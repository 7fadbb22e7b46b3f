#pragma once

#include <string>
#include <string_view>

namespace tessaro {

// How a level set or a level stands to one ruleset. Ignore means the file
// carries no attribute for that ruleset.
enum class CompatChoice { Yes, No, Ignore };

// The attribute text for the three rulesets, in the order ms, lynx, pedantic,
// separated by one space: for example `ms="yes" pedantic="no"`. All three
// Ignore give empty text.
std::string formatCompatAttributes(CompatChoice ms, CompatChoice lynx, CompatChoice pedantic);

// The choice that attribute text gives one ruleset (word "ms", "lynx" or
// "pedantic"): the value after the first `word="` up to the next quote,
// "yes" for Yes and anything else for No; Ignore when `word="` does not occur.
CompatChoice readCompatChoice(std::string_view attributes, std::string_view word);

} // namespace tessaro
