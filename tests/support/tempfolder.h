#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tessaro::test {

// A fresh temporary folder, removed with everything in it when the object goes.
// Names and paths as text are UTF-8, as the core keeps them.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(std::string_view name) const;
    std::string str() const;
    std::string root() const; // "/" or "C:\"
    // Writes a file (sub-folders created) and returns its path.
    std::filesystem::path write(std::string_view name, std::string_view bytes) const;
    std::string read(std::string_view name) const; // "<missing>" when unreadable

private:
    std::filesystem::path m_path;
};

} // namespace tessaro::test
