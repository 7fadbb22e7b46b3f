#include "ccx/ccxpagelist.h"

namespace tessaro {

void CcxPageList::clear() {
    count = 0;
    for (auto& page : pages) {
        page.text.clear();
        page.hasOwnColors = 0;
    }
}

} // namespace tessaro
