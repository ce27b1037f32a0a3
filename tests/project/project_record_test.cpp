#include "project/project_record.h"

#include <gtest/gtest.h>

#include <string>

namespace kestrova::project {
namespace {

ProjectRecord FullRecord() {
    ProjectRecord record;
    record.title = std::string(299, 'T');
    record.testType = kTestTypeManual;
    record.level = 0xFFFF;
    record.pluginBits = kPluginVista | kPluginAutoPivot;
    record.applicationKey = "A5";
    for (size_t c = 0; c < record.selection.size(); c += 3) {
        record.selection[c] = 1;
    }
    record.additionalTests[99] = 7;
    record.comments = std::string(1023, 'c');
    return record;
}

TEST(ProjectRecordTest, FieldsLandAtTheirOffsetsLittleEndian) {
    ProjectRecord record = FullRecord();
    record.title = "abc";
    record.testType = 0x0102;
    ProjectBytes bytes = SerializeProjectRecord(record);
    struct Case {
        size_t offset;
        uint8_t value;
    };
    const Case cases[] = {
        {0, 0x01},   {1, 0x00},   {2, 'a'},    {4, 'c'},    {5, 0},      {301, 0},   {302, 0x02},
        {303, 0x01}, {304, 0xFF}, {305, 0xFF}, {306, 0x11}, {307, 0x00}, {308, 'A'}, {309, '5'},
        {310, 0},    {311, 1},    {312, 0},    {314, 1},    {565, 0},    {566, 1},   {567, 0},
        {666, 7},    {667, 'c'},  {1689, 'c'}, {1690, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(bytes[c.offset], c.value) << "offset " << c.offset;
    }
}

TEST(ProjectRecordTest, FullRecordRoundTrips) {
    const ProjectRecord record = FullRecord();
    ProjectBytes bytes = SerializeProjectRecord(record);
    ProjectRecord back;
    ASSERT_TRUE(ParseProjectRecord(bytes, back));
    EXPECT_EQ(back.version, 1);
    EXPECT_EQ(back.title.View(), record.title.View());
    EXPECT_EQ(back.testType, record.testType);
    EXPECT_EQ(back.level, 0xFFFF);
    EXPECT_EQ(back.pluginBits, record.pluginBits);
    EXPECT_EQ(back.applicationKey.View(), "A5");
    EXPECT_EQ(back.selection, record.selection);
    EXPECT_EQ(back.additionalTests, record.additionalTests);
    EXPECT_EQ(back.comments.View(), record.comments.View());
    EXPECT_EQ(SerializeProjectRecord(back), bytes);
}

TEST(ProjectRecordTest, UnterminatedTextsAreCutToTheirCapacity) {
    ProjectBytes bytes = SerializeProjectRecord(ProjectRecord{});
    for (size_t i = 0; i < kTitleSize; ++i) {
        bytes[kTitleOffset + i] = 'x';
    }
    for (size_t i = 0; i < kApplicationKeySize; ++i) {
        bytes[kApplicationKeyOffset + i] = 'k';
    }
    for (size_t i = 0; i < kCommentsSize; ++i) {
        bytes[kCommentsOffset + i] = 'm';
    }
    ProjectRecord record;
    ASSERT_TRUE(ParseProjectRecord(bytes, record));
    EXPECT_EQ(record.title.Size(), 299u);
    EXPECT_EQ(record.applicationKey.View(), "kk");
    EXPECT_EQ(record.comments.Size(), 1023u);
}

TEST(ProjectRecordTest, ShortInputIsRefusedAndLeavesTheRecord) {
    ProjectBytes bytes = SerializeProjectRecord(FullRecord());
    ProjectRecord record;
    record.title = "kept";
    EXPECT_FALSE(ParseProjectRecord(std::span<const uint8_t>(bytes.data(), bytes.size() - 1), record));
    EXPECT_FALSE(ParseProjectRecord(std::span<const uint8_t>(), record));
    EXPECT_EQ(record.title.View(), "kept");
}

}  // namespace
}  // namespace kestrova::project
