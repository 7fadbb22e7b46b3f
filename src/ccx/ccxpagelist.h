#pragma once

#include "ccx/ccxpage.h"

#include <cstdint>
#include <vector>

namespace tessaro {

// The most pages a prologue or an epilogue holds.
inline constexpr int kMaxCcxPages = 10;

// A prologue or epilogue: pages 1 to count are in use. Pages beyond count
// always hold empty text and hasOwnColors 0; their colours may hold anything.
// The ten pages take memory only once a page is asked for other than
// read-only; until then every page reads as an empty one, and a list compares
// and copies the same either way.
struct CcxPageList {
    std::uint8_t count = 0;

    // Page 1 to 10.
    CcxPage& page(int number);
    const CcxPage& page(int number) const;

    // Count 0, every page's text empty and hasOwnColors 0; colours stay.
    void clear();

    bool operator==(const CcxPageList& other) const;

private:
    // Empty, or all ten pages: it never grows after, so pages stay in place.
    std::vector<CcxPage> m_pages;
};

} // namespace tessaro
