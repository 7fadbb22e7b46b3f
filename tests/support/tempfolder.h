#pragma once

#include "common/paths.h"
#include "common/textfile.h"

#include <atomic>
#include <fstream>
#include <random>

namespace tessaro::test {

// A fresh temporary folder, removed with everything in it when the object goes. Names and paths as
// text are UTF-8, as the core keeps them.
class TempFolder {
public:
    TempFolder() {
        static std::atomic<unsigned> counter{0};
        std::random_device random;
        do
            m_path = std::filesystem::temp_directory_path() /
                     ("tessaro-test-" + std::to_string(random()) + "-" + std::to_string(counter++));
        while (!std::filesystem::create_directory(m_path));
    }
    ~TempFolder() {
        std::error_code error;
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, error);
        std::filesystem::remove_all(m_path, error);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(std::string_view name) const {
        return m_path / toPath(std::string(name));
    }
    std::string str() const { return fromPath(m_path); }
    std::string root() const { return fromPath(m_path.root_path()); } // "/" or "C:\"
    // Writes a file (sub-folders created) and returns its path.
    std::filesystem::path write(std::string_view name, std::string_view bytes) const {
        const auto file = *this / name;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
        return file;
    }
    std::string read(std::string_view name) const { // "<missing>" when unreadable
        const auto bytes = readFileBytes(*this / name);
        return bytes ? bytes->str() : "<missing>";
    }

private:
    std::filesystem::path m_path;
};

} // namespace tessaro::test
