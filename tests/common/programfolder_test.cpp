#include "common/programfolder.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

enum class Chosen { Home, Executable, UserData };

struct ProgramFolderCase {
    const char* label;
    const char* executable;
    char separator = '/';
    bool marker = false;
    bool owned = true;
    const char* home = nullptr;
    Chosen chosen;
};

constexpr ProgramFolderCase kCases[] = {
    {.label = "HomeWinsOverAPortableCopy",
     .executable = "/home/ana/t",
     .marker = true,
     .home = "/h",
     .chosen = Chosen::Home},
    {.label = "EmptyHomeIsUnset",
     .executable = "/home/ana/t",
     .home = "",
     .chosen = Chosen::Executable},
    {.label = "OwnFolder", .executable = "/home/ana/t", .chosen = Chosen::Executable},
    {.label = "FolderOfAnotherUser",
     .executable = "/srv/t",
     .owned = false,
     .chosen = Chosen::UserData},
    {.label = "PortableMarkerInAnotherUsersFolder",
     .executable = "/srv/t",
     .marker = true,
     .owned = false,
     .chosen = Chosen::Executable},
    {.label = "UsrBinAsRoot", .executable = "/usr/bin", .chosen = Chosen::UserData},
    {.label = "UsrLocalBin", .executable = "/usr/local/bin", .chosen = Chosen::UserData},
    {.label = "Opt", .executable = "/opt/tessaro/bin", .chosen = Chosen::UserData},
    {.label = "UsrWithMarker",
     .executable = "/usr/bin",
     .marker = true,
     .chosen = Chosen::Executable},
    {.label = "NameThatBeginsLikeUsr", .executable = "/usrlocal/bin", .chosen = Chosen::Executable},
    {.label = "UsrFurtherDown", .executable = "/home/ana/usr", .chosen = Chosen::Executable},
    {.label = "UsrReachedByDotDot", .executable = "/home/../usr/bin", .chosen = Chosen::UserData},
    {.label = "ProgramFiles",
     .executable = "C:\\Program Files\\Tessaro",
     .separator = '\\',
     .chosen = Chosen::UserData},
    {.label = "ProgramFilesX86InLowerCase",
     .executable = "d:/program files (x86)/Tessaro",
     .separator = '\\',
     .chosen = Chosen::UserData},
    {.label = "OtherFolderOnADrive",
     .executable = "C:\\Games\\Tessaro",
     .separator = '\\',
     .chosen = Chosen::Executable},
    {.label = "ProgramFilesFurtherDown",
     .executable = "C:\\Games\\Program Files",
     .separator = '\\',
     .chosen = Chosen::Executable},
    {.label = "ProgramFilesWithMarker",
     .executable = "C:\\Program Files\\Tessaro",
     .separator = '\\',
     .marker = true,
     .chosen = Chosen::Executable},
    {.label = "NoExecutableFolder", .executable = "", .marker = true, .chosen = Chosen::UserData},
};

class ProgramFolderChoice : public testing::TestWithParam<ProgramFolderCase> {};

TEST_P(ProgramFolderChoice, IsThePortableCopysOwnOrTheUsers) {
    const auto& row = GetParam();
    const ProgramFolderFacts facts{.tessaroHome =
                                       row.home ? std::optional(Utf8Path(row.home)) : std::nullopt,
                                   .executableFolder = Utf8Path(row.executable),
                                   .portableMarker = row.marker,
                                   .ownedByUser = row.owned,
                                   .userDataFolder = Utf8Path("/data")};
    const Utf8Path expected[] = {Utf8Path(row.home ? row.home : ""), Utf8Path(row.executable),
                                 Utf8Path("/data")};
    EXPECT_EQ(chooseProgramFolder(facts, row.separator).text(),
              expected[static_cast<int>(row.chosen)].text());
}

INSTANTIATE_TEST_SUITE_P(ProgramFolder, ProgramFolderChoice, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.label); });

// A program folder outside ASCII (and the ANSI code page) reaches the disk
// under its own name, and a file written through it reads back.
TEST(ProgramFolder, HomeOutsideAsciiIsCreatedUnderItsOwnName) {
    test::TempFolder root;
    const Utf8Path home(root.str() + kPathSeparator + "José Иван" + kPathSeparator + "Tessaro");
    const Utf8Path chosen = findProgramFolder(home, Utf8Path(root.str()), Utf8Path());
    ASSERT_EQ(chosen, home);
    std::ofstream(toPath(chosen) / "tessaro.7", std::ios::binary) << "saved";
    EXPECT_EQ(root.read("José Иван/Tessaro/tessaro.7"), "saved");
    const auto made = std::filesystem::directory_iterator(root.path())->path();
    EXPECT_EQ(fromPath(made.filename()), "José Иван");
}

// The facts come from the file system: the marker beside the executable, and
// a folder the test made is the user's own.
TEST(ProgramFolder, ReadsThePortableMarkerAndTheOwner) {
    test::TempFolder root;
    const auto facts = [&] { return readProgramFolderFacts({}, Utf8Path(root.str()), {}); };
    EXPECT_EQ(std::pair(facts().portableMarker, facts().ownedByUser), std::pair(false, true));
    root.write("tessaro-portable", "");
    EXPECT_TRUE(facts().portableMarker);
}

} // namespace
} // namespace tessaro
