#pragma once

#include "ccx/ccxpagelist.h"
#include "ccx/ccxpane.h"

#include <string>

namespace tessaro {

// One level of a CCX document. Its number is its place in the document's
// table; it has no number field of its own.
struct CcxLevel {
    std::string title;
    // Empty means the level element carries no author.
    std::string author;
    // The level's compatibility as attribute text in file form, for example
    // `ms="yes" lynx="no"`; empty when all three rulesets are Ignore. Text
    // read from a file is kept as it was until the level is stored again.
    std::string compatAttributes;
    CcxPageList prologue;
    CcxPageList epilogue;

    CcxPageList& pane(CcxPane which) { return which == CcxPane::Prologue ? prologue : epilogue; }
    const CcxPageList& pane(CcxPane which) const {
        return which == CcxPane::Prologue ? prologue : epilogue;
    }

    // Empties title, author and compatibility and both page lists; the pages'
    // colours stay.
    void clear();

    bool operator==(const CcxLevel&) const = default;
};

} // namespace tessaro
