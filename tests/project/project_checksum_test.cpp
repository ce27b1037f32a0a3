#include "project/project_checksum.h"

#include <gtest/gtest.h>

namespace kestrova::project {
namespace {

ProjectRecord AbcRecord() {
    ProjectRecord record;
    record.title = "abc";
    record.testType = kTestTypeAutomatic;
    record.level = kLevelStandard;
    record.pluginBits = 0;
    record.applicationKey = "01";
    return record;
}

TEST(ProjectChecksumTest, KnownProjects) {
    struct Case {
        const char* what;
        ProjectRecord record;
        uint32_t expected;
    };
    ProjectRecord with10 = AbcRecord();
    with10.selection[0x10] = 1;
    // Level -1 instead of 1 takes 2 off three steps before the selection: 0x5709 - 2 * 8.
    ProjectRecord noLevel = AbcRecord();
    noLevel.level = 0xFFFF;
    // A title byte of 0xFF folds as -1: 1 -> 2 - 1 = 1, then three zero steps -> 8.
    ProjectRecord highChar;
    highChar.title = "\xFF";
    // Comments and the reserved block never count.
    ProjectRecord withComments = AbcRecord();
    withComments.comments = "anything";
    withComments.additionalTests[0] = 9;
    const Case cases[] = {
        {"abc", AbcRecord(), 0x00005709},
        {"abc with 0x10", with10, 0x00015709},
        {"level 0xFFFF", noLevel, 0x000056F9},
        {"signed title byte", highChar, 0x00000008},
        {"comments ignored", withComments, 0x00005709},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ProjectChecksum(c.record), c.expected) << c.what;
    }
    EXPECT_EQ(ChecksumText(ProjectChecksum(AbcRecord())), "00005709");
    EXPECT_EQ(ChecksumText(0xABCDEF01u), "ABCDEF01");
}

// Folded twice, 256 rotations apart, the two ones of a selected code c meet at the same bit and end
// up as one 2^((32 - c) mod 32): for 0x10 twice 2^15.
TEST(ProjectChecksumTest, EachSelectedCodeAddsTheSamePowerOfTwoTwice) {
    const uint32_t base = ProjectChecksum(AbcRecord());
    for (int c = 0; c < 256; ++c) {
        ProjectRecord record = AbcRecord();
        record.selection[c] = 1;
        const uint32_t power = uint32_t{1} << ((32 - c % 32) % 32);
        EXPECT_EQ(ProjectChecksum(record), base + power) << "code " << c;
    }
}

}  // namespace
}  // namespace kestrova::project
