#include "common/paths.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

TEST(Paths, JoinAndCleanWithEitherSeparator) {
    EXPECT_EQ(joinAndClean("C:\\Games\\Tessaro", "ludex.exe", '\\'),
              "C:\\Games\\Tessaro\\ludex.exe");
    EXPECT_EQ(joinAndClean("C:\\", "ludex.exe", '\\'), "C:\\ludex.exe");
    EXPECT_EQ(joinAndClean("D:\\Sets\\", "cclp3.dat", '\\'), "D:\\Sets\\cclp3.dat");
    EXPECT_EQ(joinAndClean("/home/p/tessaro", "ludex.exe", '/'), "/home/p/tessaro/ludex.exe");
    EXPECT_EQ(joinAndClean("/", "ludex.exe", '/'), "/ludex.exe");
    // The other system's separator is an ordinary character.
    EXPECT_EQ(joinAndClean("a\\\\b", "c", '/'), "a\\\\b/c");
    // A network path keeps its leading pair.
    EXPECT_EQ(joinAndClean("\\\\server\\share\\", "x.dat", '\\'), "\\\\server\\share\\x.dat");
    // Pairs are replaced left to right, so three become two.
    EXPECT_EQ(cleanSeparators("a///b", '/'), "a//b");
}

TEST(Paths, BareNames) {
    EXPECT_EQ(bareName("C:\\GAMES\\CHIPS.EXE"), "CHIPS.EXE");
    EXPECT_EQ(bareName("/home/p/Chips.exe"), "Chips.exe");
    EXPECT_EQ(bareName("plain.dat"), "plain.dat");
}

} // namespace
} // namespace tessaro
