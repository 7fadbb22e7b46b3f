// The helper ccx_open_bench starts afresh for every measurement: a process
// whose first work is to read one file once. It times the read alone, from
// before it to after it, and writes "WALL_NS CPU_NS" to its standard output.
//
//   ccx_open_probe ccx FILE       the CCX reader, into a CcxDocument
//   ccx_open_probe raw FILE       the file's bytes, into memory not cleared
//   ccx_open_probe bytes FILE     the same through readFileBytes, as the
//                                 reader reads them
//   ccx_open_probe owned FILE N   the raw read, then its bytes copied into N
//                                 strings of their own: what a document that
//                                 owns N page texts needs at the least
//   ccx_open_probe pieces FILE N  the same, read 1 MB at a time into one
//                                 block used again for each: what a reader
//                                 that never holds the whole file would need
//
// It ends at once afterwards, so nothing is freed within the time.

#include "ccx/ccxreader.h"
#include "common/textfile.h"
#include "rawio.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

long long processCpuNanoseconds() {
    timespec now{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

} // namespace

int main(int argc, char** argv) {
    using namespace tessaro;
    if (argc < 3)
        return 2;
    const std::string_view mode = argv[1];
    const std::filesystem::path path = argv[2];
    const std::size_t pieces = argc > 3 ? std::stoul(argv[3]) : 1;
    // Made before the clock starts and never destroyed.
    std::optional<ReadResult<CcxFileContents>> document;
    bench::RawBytes raw;
    std::optional<FileBytes> bytes;
    std::vector<std::string> texts;

    const auto wallStart = std::chrono::steady_clock::now();
    const auto cpuStart = processCpuNanoseconds();
    bool ok = false;
    if (mode == "ccx") {
        document.emplace(readCcxFile(path, CcxDocument{}));
        ok = document->ok();
    } else if (mode == "bytes") {
        bytes = readFileBytes(path);
        ok = bytes.has_value();
    } else if (mode == "pieces") {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        struct stat info {};
        ok = fd >= 0 && ::fstat(fd, &info) == 0;
        const auto each = static_cast<std::size_t>(info.st_size) / pieces;
        constexpr std::size_t kBlock = 1 << 20;
        const auto block = std::make_unique_for_overwrite<char[]>(kBlock + each);
        texts.reserve(pieces);
        std::size_t held = 0;
        while (ok) {
            const auto got = ::read(fd, block.get() + held, kBlock);
            if (got <= 0)
                break;
            held += static_cast<std::size_t>(got);
            std::size_t used = 0;
            for (; held - used >= each && texts.size() < pieces; used += each)
                texts.emplace_back(block.get() + used, each);
            std::memmove(block.get(), block.get() + used, held - used);
            held -= used;
        }
        ::close(fd);
    } else {
        raw = bench::rawReadUncleared(path);
        ok = raw.size > 0;
        if (mode == "owned") {
            texts.reserve(pieces);
            const auto each = raw.size / pieces;
            for (std::size_t i = 0; i < pieces; ++i)
                texts.emplace_back(raw.data.get() + i * each, each);
        }
    }
    const auto cpuEnd = processCpuNanoseconds();
    const auto wallEnd = std::chrono::steady_clock::now();

    std::printf(
        "%lld %lld\n",
        static_cast<long long>(
            std::chrono::duration_cast<std::chrono::nanoseconds>(wallEnd - wallStart).count()),
        cpuEnd - cpuStart);
    std::fflush(stdout);
    std::_Exit(ok ? 0 : 1);
}
