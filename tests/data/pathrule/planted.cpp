// Each line marked "planted" breaks the path rule; ci/path-rule.sh --self-check
// makes sure it finds every one of them and nothing else.
#include <filesystem>
#include <fstream>
#include <string>

void planted(const std::string& folder, const std::filesystem::path& file) {
    const std::filesystem::path kept = toPath(folder) / "ludex.exe";
    std::ifstream in(toPath(folder + "/tessaro.7"));
    std::ofstream copy(kept / "CHIPS.EXE");
    const auto garbled = std::filesystem::path(folder + "/ludex.exe"); // planted
    const std::string name = file.string(); // planted
    std::ofstream out(folder, std::ios::binary); // planted
    const std::filesystem::path braced{folder}; // planted
}
