#pragma once

namespace tessaro {

// One of a level's two page lists: the pages shown before the level
// (Prologue) or after it (Epilogue).
enum class CcxPane { Prologue, Epilogue };

} // namespace tessaro
