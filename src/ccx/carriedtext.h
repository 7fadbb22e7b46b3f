#pragma once

#include "ccx/ccxdocument.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace tessaro {

// A CCX file cannot carry every text: a title lives inside a comment line, an
// author inside quotes, a page text between "<![CDATA[" and "]]>". These give
// the nearest text the file can carry; the writer writes it and the reader
// reads exactly it back, so a document saved twice gives the same file. Each
// is idempotent and leaves a text that needs nothing unchanged.

// A level title: each line break (CR LF, CR or LF) becomes a space, "<!--"
// becomes "<! --" and "-->" becomes "-- >".
std::string carriedTitle(std::string_view title);
// True when carriedTitle would return the title unchanged.
bool titleIsCarried(std::string_view title);

// A level's author: each line break becomes a space and "<!--" becomes
// "<! --".
std::string carriedLevelAuthor(std::string_view author);

// The set's description or author: each line break becomes a space.
std::string carriedSetText(std::string_view text);

// An author or the set's description as it stands between the double quotes
// of its attribute: a double quote as "&quot;" and an "&" that begins
// "&quot;" or "&amp;" as "&amp;"; everything else, other "&" and entities
// included, as it is, so files other tools wrote keep their bytes.
std::string attributeText(std::string_view text);
// The text of such an attribute: "&quot;" becomes a double quote and "&amp;"
// an "&". textOfAttribute(attributeText(text)) is text, for any text.
std::string textOfAttribute(std::string_view attribute);

// A level's compatibility attribute text: each line break becomes a space,
// every ">" is dropped, "<!--" becomes "<! --", "author=" becomes "author ="
// and "<level number=" becomes "<level number ="; a text that then holds none
// of ms=", lynx=" and pedantic=" becomes empty (the reader would drop it).
std::string carriedCompatAttributes(std::string_view attributes);

// A page's HTML text: each lone CR or LF becomes CR LF, and a line after the
// first that is exactly "]]>" (which would end the page) becomes "]]&gt;",
// which a browser shows as the same characters.
std::string carriedPageText(std::string_view text);
// True when carriedPageText would return the text unchanged; fast, for the
// writer and reader of large files.
bool pageTextIsCarried(std::string_view text);

// The line breaks in a text: CR LF pairs, lone CRs and lone LFs. Fast, for
// the reader of large files.
struct LineBreakCounts {
    std::size_t crLf = 0;
    std::size_t loneCr = 0;
    std::size_t loneLf = 0;
};
LineBreakCounts countLineBreaks(std::string_view text);

// The document as a CCX file carries it: every text as above; levelCount
// within 0 to 999 and page counts within 0 to 10; levels above levelCount,
// pages beyond a pane's count, and the colours of a page without colours of
// its own emptied (set to 0); hasOwnColors 0 or 1. The default colours stay,
// since without the colours line the reader keeps the ones it starts with.
// No file name, current level 0. Reading what the writer wrote gives this.
CcxDocument carriedDocument(const CcxDocument& document);

} // namespace tessaro
