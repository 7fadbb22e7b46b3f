#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tessaro::test {

// A fresh folder under the system's temporary folder, removed with everything
// in it when the object goes.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Names and paths as text are UTF-8, as the core keeps them (toPath).
    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(std::string_view name) const;
    std::string str() const;
    // The root of the system's file tree the folder lies in ("/", "C:\").
    std::string root() const;

    // Writes bytes to a file in the folder (sub-folders created) and returns its path.
    std::filesystem::path write(std::string_view name, std::string_view bytes) const;
    // The file's bytes, or "<missing>" when it cannot be read.
    std::string read(std::string_view name) const;

private:
    std::filesystem::path m_path;
};

} // namespace tessaro::test
