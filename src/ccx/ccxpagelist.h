#pragma once

#include "ccx/ccxpage.h"

#include <array>
#include <cstdint>

namespace tessaro {

// The most pages a prologue or an epilogue holds.
inline constexpr int kMaxCcxPages = 10;

// A prologue or epilogue: pages 1 to count are in use. Pages beyond count
// always hold empty text and hasOwnColors 0; their colours may hold anything.
struct CcxPageList {
    std::uint8_t count = 0;
    std::array<CcxPage, kMaxCcxPages> pages{};

    // Page 1 to 10.
    CcxPage& page(int number) { return pages[static_cast<std::size_t>(number - 1)]; }
    const CcxPage& page(int number) const { return pages[static_cast<std::size_t>(number - 1)]; }

    // Count 0, every page's text empty and hasOwnColors 0; colours stay.
    void clear();

    bool operator==(const CcxPageList&) const = default;
};

} // namespace tessaro
