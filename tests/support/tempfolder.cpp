#include "tempfolder.h"

#include "common/paths.h"
#include "common/textfile.h"

#include <atomic>
#include <fstream>
#include <random>

namespace tessaro::test {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
    static std::atomic<unsigned> counter{0};
    std::random_device random;
    do
        m_path = fs::temp_directory_path() /
                 ("tessaro-test-" + std::to_string(random()) + "-" + std::to_string(counter++));
    while (!fs::create_directory(m_path));
}

TempFolder::~TempFolder() {
    std::error_code error;
    fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, error);
    fs::remove_all(m_path, error);
}

fs::path TempFolder::operator/(std::string_view name) const {
    return m_path / toPath(std::string(name));
}
std::string TempFolder::str() const {
    return fromPath(m_path);
}
std::string TempFolder::root() const {
    return fromPath(m_path.root_path());
}

fs::path TempFolder::write(std::string_view name, std::string_view bytes) const {
    const auto file = *this / name;
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
    return file;
}
std::string TempFolder::read(std::string_view name) const {
    return readFileBytes(*this / name).value_or("<missing>");
}

} // namespace tessaro::test
