#include "launcher/patchwriter.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

// A stand-in game executable: every byte differs from its neighbours, so a
// stray write shows up in the comparison.
std::string fakeExecutable(std::size_t size = 50000) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 7 + 3) & 0xFF);
    return bytes;
}

// Offsets whose bytes differ between two files of equal length.
std::vector<std::size_t> changedOffsets(const std::string& a, const std::string& b) {
    std::vector<std::size_t> offsets;
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
        if (a[i] != b[i])
            offsets.push_back(i);
    }
    return offsets;
}

TEST(PatchWriter, WritesExactlyTheEightFields) {
    test::TempFolder folder;
    const auto original = fakeExecutable();
    const auto exe = folder.write("ludex.exe", original);
    {
        PatchWriter writer(exe);
        ASSERT_TRUE(writer.ok());
        EXPECT_TRUE(writer.writeIniName("tessaro.ini"));
        EXPECT_TRUE(writer.writeDataFileName("tessaro.7"));
        EXPECT_TRUE(writer.writeLevels(144, 149));
        EXPECT_TRUE(writer.writeSectionName("a.dat"));
        EXPECT_TRUE(writer.close());
    }
    const auto patched = folder.read("ludex.exe");
    ASSERT_EQ(patched.size(), original.size());
    EXPECT_EQ(patched.substr(19048, 11), "tessaro.ini");
    EXPECT_EQ(patched[19059], original[19059]); // the byte between INI and section
    EXPECT_EQ(patched.substr(19060, 16), "a.dat           ");
    EXPECT_EQ(patched.substr(19156, 9), "tessaro.7");
    for (const std::size_t at : {37305u, 47892u})
        EXPECT_EQ(patched.substr(at, 2), std::string("\x90\x00", 2)) << at;
    for (const std::size_t at : {37312u, 47636u, 47900u})
        EXPECT_EQ(patched.substr(at, 2), std::string("\x95\x00", 2)) << at;

    std::vector<std::pair<std::size_t, std::size_t>> fields = {{19048, 11}, {19060, 16}, {19156, 9},
                                                               {37305, 2},  {37312, 2},  {47636, 2},
                                                               {47892, 2},  {47900, 2}};
    for (const auto at : changedOffsets(original, patched)) {
        const bool inField = std::any_of(fields.begin(), fields.end(), [at](auto field) {
            return at >= field.first && at < field.first + field.second;
        });
        EXPECT_TRUE(inField) << "byte " << at << " changed outside the fields";
    }
}

TEST(PatchWriter, NamesArePaddedAndNeverOverrunTheirField) {
    test::TempFolder folder;
    const auto original = fakeExecutable();
    const auto exe = folder.write("x.exe", original);
    {
        PatchWriter writer(exe);
        writer.writeIniName("averyveryverylongname.ini");
        writer.writeDataFileName("ab");
        writer.writeSectionName("seventeen-chars!!");
        writer.writeLevels(-1, 999);
    }
    const auto patched = folder.read("x.exe");
    EXPECT_EQ(patched.substr(19048, 11), "averyveryve");
    EXPECT_EQ(patched[19059], original[19059]);
    EXPECT_EQ(patched.substr(19060, 16), "seventeen-chars!");
    EXPECT_EQ(patched[19076], original[19076]);
    EXPECT_EQ(patched.substr(19156, 9), "ab       ");
    EXPECT_EQ(patched[19165], original[19165]);
    EXPECT_EQ(patched.substr(37305, 2), std::string("\xFF\xFF", 2));
    EXPECT_EQ(patched.substr(37312, 2), std::string("\xE7\x03", 2));
}

TEST(PatchWriter, GrowsAShortFileAndNeverCreatesOne) {
    test::TempFolder folder;
    const auto exe = folder.write("short.exe", "MZ");
    {
        PatchWriter writer(exe);
        writer.writeLevels(144, 149);
    }
    const auto grown = folder.read("short.exe");
    ASSERT_EQ(grown.size(), 47902u);
    EXPECT_EQ(grown.substr(0, 2), "MZ");
    EXPECT_EQ(grown.substr(47900, 2), std::string("\x95\x00", 2));

    PatchWriter missing(folder / "absent.exe");
    EXPECT_FALSE(missing.ok());
    EXPECT_FALSE(missing.writeLevels(1, 1));
    EXPECT_FALSE(missing.close());
    EXPECT_FALSE(std::filesystem::exists(folder / "absent.exe"));
}

} // namespace
} // namespace tessaro
