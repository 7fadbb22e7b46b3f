#include "common/safewriter.h"
#include "launcher/patchwriter.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

using namespace std::string_literals;

TEST(PatchWriter, WritesExactlyTheEightFieldsPaddedAndNeverPastThem) {
    // Every byte of the stand-in differs from its neighbours, so a stray write shows.
    std::string original(50000, '\0');
    for (std::size_t i = 0; i < original.size(); ++i)
        original[i] = static_cast<char>((i * 7 + 3) & 0xFF);
    const struct {
        const char *ini, *data, *section;
        std::int16_t fake, real;
        std::string fields; // the eight fields afterwards, in file order
    } patches[] = {
        {"tessaro.ini", "tessaro.7", "a.dat", 144, 149,
         "tessaro.inia.dat           tessaro.7\x90\x00\x95\x00\x95\x00\x90\x00\x95\x00"s},
        {"averyveryverylongname.ini", "ab", "seventeen-chars!!", -1, 999,
         "averyveryveseventeen-chars!ab       \xFF\xFF\xE7\x03\xE7\x03\xFF\xFF\xE7\x03"s}};
    const std::pair<std::size_t, std::size_t> fields[] = {{19048, 11}, {19060, 16}, {19156, 9},
                                                          {37305, 2},  {37312, 2},  {47636, 2},
                                                          {47892, 2},  {47900, 2}};
    for (const auto& patch : patches) {
        test::TempFolder folder;
        PatchWriter writer(folder.write("ludex.exe", original));
        writer.writeIniName(patch.ini);
        writer.writeDataFileName(patch.data);
        writer.writeLevels(patch.fake, patch.real);
        writer.writeSectionName(patch.section);
        EXPECT_TRUE(writer.save());
        auto expected = original;
        std::size_t from = 0;
        for (const auto& [at, size] : fields) {
            expected.replace(at, size, std::string(patch.fields.data() + from, size));
            from += size;
        }
        EXPECT_EQ(folder.read("ludex.exe"), expected) << patch.ini;
    }
}

TEST(PatchWriter, AllFieldsOrNoneAndNeverANewFile) {
    test::TempFolder folder;
    PatchWriter writer(folder.write("short.exe", "MZ"));
    writer.writeLevels(144, 149);
    {
        ScopedWriteFailure failure(WriteStep::Write);
        EXPECT_FALSE(writer.save());
    }
    EXPECT_EQ(folder.read("short.exe"), "MZ");
    EXPECT_TRUE(writer.save()); // a short file grows to hold the fields
    EXPECT_EQ(folder.read("short.exe").substr(47898), std::string("\0\0\x95\x00", 4));

    PatchWriter missing(folder / "absent.exe");
    missing.writeLevels(1, 1);
    EXPECT_FALSE(missing.ok());
    EXPECT_FALSE(missing.save());
    EXPECT_FALSE(std::filesystem::exists(folder / "absent.exe"));
}

} // namespace
} // namespace tessaro
