#include "ccx/ccxlevel.h"

namespace tessaro {

void CcxLevel::clear() {
    title.clear();
    author.clear();
    compatAttributes.clear();
    prologue.clear();
    epilogue.clear();
}

} // namespace tessaro
