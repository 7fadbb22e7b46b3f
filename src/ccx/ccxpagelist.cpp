#include "ccx/ccxpagelist.h"

namespace tessaro {

CcxPage& CcxPageList::page(int number) {
    if (m_pages.empty())
        m_pages.resize(kMaxCcxPages);
    return m_pages[static_cast<std::size_t>(number - 1)];
}

const CcxPage& CcxPageList::page(int number) const {
    static const CcxPage empty;
    return m_pages.empty() ? empty : m_pages[static_cast<std::size_t>(number - 1)];
}

void CcxPageList::clear() {
    count = 0;
    for (auto& page : m_pages) {
        page.text.clear();
        page.hasOwnColors = 0;
    }
}

bool CcxPageList::operator==(const CcxPageList& other) const {
    if (count != other.count)
        return false;
    if (m_pages.empty() && other.m_pages.empty())
        return true;
    for (int number = 1; number <= kMaxCcxPages; ++number) {
        if (!(page(number) == other.page(number)))
            return false;
    }
    return true;
}

} // namespace tessaro
