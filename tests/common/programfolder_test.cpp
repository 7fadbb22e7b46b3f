#include "common/programfolder.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

struct ProgramFolderCase {
    const char* label;
    const char* folder; // the executable's
    bool marker = false, owned = true;
    char sep = '/';       // between folders
    bool portable = true; // else the user data folder
};

constexpr ProgramFolderCase kCases[] = {
    {.label = "OwnFolder", .folder = "/home/ana/t"},
    {.label = "AnotherUsersFolder", .folder = "/srv/t", .owned = false, .portable = false},
    {.label = "MarkerInAnotherUsersFolder", .folder = "/srv/t", .marker = true, .owned = false},
    {.label = "UsrBinAsRoot", .folder = "/usr/bin", .portable = false},
    {.label = "BelowOpt", .folder = "/opt/t/bin", .portable = false},
    {.label = "UsrReachedByDotDot", .folder = "/home/../usr/bin", .portable = false},
    {.label = "NameBeginningLikeUsr", .folder = "/usrlocal/bin"},
    {.label = "UsrWithMarker", .folder = "/usr/bin", .marker = true},
    {.label = "ProgramFiles", .folder = "C:\\Program Files\\T", .sep = '\\', .portable = false},
    {.label = "ProgFilesX86", .folder = "d:/program files (x86)/T", .sep = '\\', .portable = false},
    {.label = "ProgramFilesFurtherDown", .folder = "C:\\Games\\Program Files", .sep = '\\'},
    {.label = "NoExecutableFolder", .folder = "", .marker = true, .portable = false},
};

TEST(ProgramFolderChoice, IsThePortableCopysOwnOrTheUsers) {
    for (const auto& row : kCases) {
        const ProgramFolderFacts facts{.executableFolder = Utf8Path(row.folder),
                                       .portableMarker = row.marker,
                                       .ownedByUser = row.owned,
                                       .userDataFolder = Utf8Path("/data")};
        EXPECT_EQ(chooseProgramFolder(facts, row.sep).text(), row.portable ? row.folder : "/data")
            << row.label;
    }
}

// The marker makes a portable copy, but TESSARO_HOME wins over it; a name outside ASCII (and
// outside Windows' ANSI code page) reaches the disk whole, and a file written there reads back.
TEST(ProgramFolder, ReadsTheMarkerAndMakesHomeUnderItsOwnName) {
    test::TempFolder root;
    const auto facts = [&] { return readProgramFolderFacts({}, Utf8Path(root.str()), {}); };
    EXPECT_EQ(std::pair(facts().portableMarker, facts().ownedByUser), std::pair(false, true));
    root.write("tessaro-portable", "");
    EXPECT_TRUE(facts().portableMarker);
    const Utf8Path home(root.str() + kPathSeparator + "José Иван" + kPathSeparator + "Tessaro");
    ASSERT_EQ(findProgramFolder(home, Utf8Path(root.str()), Utf8Path()), home);
    std::ofstream(toPath(home) / "tessaro.7", std::ios::binary) << "saved";
    EXPECT_EQ(root.read("José Иван/Tessaro/tessaro.7"), "saved");
}

} // namespace
} // namespace tessaro
