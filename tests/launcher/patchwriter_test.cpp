#include "common/safewriter.h"
#include "launcher/patchwriter.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

// A stand-in game executable: every byte differs from its neighbours, so a
// stray write shows up in the comparison.
std::string fakeExecutable() {
    std::string bytes(50000, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>((i * 7 + 3) & 0xFF);
    return bytes;
}

struct Patch {
    const char* ini;
    const char* data;
    const char* section;
    std::int16_t fake, real;
    // What the fields must hold afterwards.
    std::string iniField, dataField, sectionField, fakeBytes, realBytes;
};

TEST(PatchWriter, WritesExactlyTheEightFieldsPaddedAndNeverPastThem) {
    const Patch patches[] = {
        {"tessaro.ini", "tessaro.7", "a.dat", 144, 149, "tessaro.ini", "tessaro.7",
         "a.dat           ", std::string("\x90\x00", 2), std::string("\x95\x00", 2)},
        {"averyveryverylongname.ini", "ab", "seventeen-chars!!", -1, 999, "averyveryve",
         "ab       ", "seventeen-chars!", "\xFF\xFF", "\xE7\x03"}};
    const std::pair<std::size_t, std::size_t> fields[] = {{19048, 11}, {19060, 16}, {19156, 9},
                                                          {37305, 2},  {37312, 2},  {47636, 2},
                                                          {47892, 2},  {47900, 2}};
    for (const auto& patch : patches) {
        test::TempFolder folder;
        const auto original = fakeExecutable();
        const auto exe = folder.write("ludex.exe", original);
        PatchWriter writer(exe);
        ASSERT_TRUE(writer.ok());
        writer.writeIniName(patch.ini);
        writer.writeDataFileName(patch.data);
        writer.writeLevels(patch.fake, patch.real);
        writer.writeSectionName(patch.section);
        EXPECT_TRUE(writer.save());
        const auto patched = folder.read("ludex.exe");
        ASSERT_EQ(patched.size(), original.size());
        EXPECT_EQ(patched.substr(19048, 11), patch.iniField);
        EXPECT_EQ(patched.substr(19060, 16), patch.sectionField);
        EXPECT_EQ(patched.substr(19156, 9), patch.dataField);
        for (const std::size_t at : {37305u, 47892u})
            EXPECT_EQ(patched.substr(at, 2), patch.fakeBytes) << at;
        for (const std::size_t at : {37312u, 47636u, 47900u})
            EXPECT_EQ(patched.substr(at, 2), patch.realBytes) << at;
        // Every other byte (the one between the INI and section fields too) stays.
        for (std::size_t at = 0; at < original.size(); ++at) {
            const bool inField = std::any_of(std::begin(fields), std::end(fields), [at](auto f) {
                return at >= f.first && at < f.first + f.second;
            });
            if (!inField) {
                ASSERT_EQ(patched[at], original[at]) << "byte " << at << " changed";
            }
        }
    }
}

TEST(PatchWriter, AllFieldsOrNoneAndNeverANewFile) {
    test::TempFolder folder;
    const auto exe = folder.write("short.exe", "MZ");
    PatchWriter writer(exe);
    writer.writeLevels(144, 149);
    {
        ScopedWriteFailure failure(WriteStep::Write);
        EXPECT_FALSE(writer.save());
    }
    EXPECT_EQ(folder.read("short.exe"), "MZ");
    EXPECT_TRUE(writer.save());
    const auto grown = folder.read("short.exe");
    ASSERT_EQ(grown.size(), 47902u);
    EXPECT_EQ(grown.substr(0, 4), std::string("MZ\0\0", 4));
    EXPECT_EQ(grown.substr(47900, 2), std::string("\x95\x00", 2));

    PatchWriter missing(folder / "absent.exe");
    missing.writeLevels(1, 1);
    EXPECT_FALSE(missing.ok());
    EXPECT_FALSE(missing.save());
    EXPECT_FALSE(std::filesystem::exists(folder / "absent.exe"));
}

} // namespace
} // namespace tessaro
