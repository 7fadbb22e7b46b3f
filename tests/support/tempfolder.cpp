#include "tempfolder.h"

#include "common/paths.h"
#include "common/textfile.h"

#include <atomic>
#include <fstream>
#include <random>

namespace tessaro::test {

TempFolder::TempFolder() {
    static std::atomic<unsigned> counter{0};
    std::random_device random;
    const auto base = std::filesystem::temp_directory_path();
    for (;;) {
        m_path =
            base / ("tessaro-test-" + std::to_string(random()) + "-" + std::to_string(counter++));
        if (std::filesystem::create_directory(m_path))
            break;
    }
}

TempFolder::~TempFolder() {
    std::error_code error;
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, error);
    std::filesystem::remove_all(m_path, error);
}

std::filesystem::path TempFolder::operator/(std::string_view name) const {
    return m_path / toPath(std::string(name));
}

std::string TempFolder::str() const {
    return fromPath(m_path);
}

std::string TempFolder::root() const {
    return fromPath(m_path.root_path());
}

std::filesystem::path TempFolder::write(std::string_view name, std::string_view bytes) const {
    const auto file = *this / name;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return file;
}

std::string TempFolder::read(std::string_view name) const {
    return readFileBytes(*this / name).value_or("<missing>");
}

} // namespace tessaro::test
