#include "levelset/levelsetfile.h"

#include "common/casefold.h"
#include "common/folderlisting.h"
#include "common/paths.h"
#include "levelset/ccffile.h"
#include "levelset/levelsetreader.h"

#include <fstream>

namespace tessaro {

namespace {

bool canRead(const std::filesystem::path& path) {
    return std::ifstream(path, std::ios::binary).is_open();
}

} // namespace

bool fileStartsWithLevelSetSignature(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    char start[4] = {};
    in.read(start, sizeof start);
    return startsWithLevelSetSignature(
        std::string_view(start, static_cast<std::size_t>(in.gcount())));
}

std::optional<std::filesystem::path> notALevelSetFile(const std::filesystem::path& file) {
    const auto extension = fromPath(file.extension());
    if (equalsIgnoreCase(extension, ".ccx"))
        return std::nullopt;
    if (!equalsIgnoreCase(extension, ".ccf")) {
        if (!canRead(file) || fileStartsWithLevelSetSignature(file))
            return std::nullopt;
        return file;
    }
    const auto ccf = readCcfFile(file);
    if (!ccf)
        return std::nullopt;
    const auto set = ccfLevelSetPath(ccf->levelSetPath);
    if (!canRead(set) || fileStartsWithLevelSetSignature(set))
        return std::nullopt;
    return set;
}

std::optional<std::filesystem::path> levelSetBeside(const std::filesystem::path& file) {
    const auto folder = file.parent_path();
    const auto stem = fromPath(file.stem());
    std::optional<std::filesystem::path> best;
    int bestRank = 4;
    for (const auto& name : listMatchingFiles(folder, "*.dat;*.ccl")) {
        const auto nameStem = std::string_view(name).substr(0, name.size() - 4);
        if (!equalsIgnoreCase(nameStem, stem))
            continue;
        const int rank = (nameStem == stem ? 0 : 2) + (endsWithIgnoreCase(name, ".dat") ? 0 : 1);
        if (rank < bestRank) {
            bestRank = rank;
            best = folder / toPath(name);
        }
    }
    return best;
}

} // namespace tessaro
