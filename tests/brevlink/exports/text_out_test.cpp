#include "brevlink/exports/text_out.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace brevlink {
namespace {

TEST(PutText, CutsToCapacityAndTerminates) {
    struct Case {
        const char* text;
        uint32_t capacity;
        int32_t result;
        uint32_t length;
        const char* written;
    };
    const Case cases[] = {
        {"Brevlink", 100, 1, 8, "Brevlink"},
        {"Brevlink", 9, 1, 8, "Brevlink"},
        {"Brevlink", 8, 1, 7, "Brevlin"},
        {"Brevlink", 1, 1, 0, ""},
        {"", 4, 1, 0, ""},
        {"Brevlink", 0, 0, 0, nullptr},
    };
    for (const Case& c : cases) {
        char out[16];
        std::memset(out, 'x', sizeof(out));
        uint32_t size = c.capacity;
        EXPECT_EQ(PutText(c.text, out, &size), c.result) << c.text << " " << c.capacity;
        EXPECT_EQ(size, c.length) << c.text << " " << c.capacity;
        if (c.written != nullptr) {
            EXPECT_STREQ(out, c.written);
        }
        if (c.capacity < sizeof(out)) {
            EXPECT_EQ(out[c.capacity], 'x') << "wrote past the capacity";
        }
    }
}

TEST(PutText, NullPointers) {
    uint32_t size = 10;
    EXPECT_EQ(PutText("x", nullptr, &size), 0);
    EXPECT_EQ(size, 0u);
    char out[4];
    EXPECT_EQ(PutText("x", out, nullptr), 0);
}

TEST(PutBytes, CopiesAtMostTheCapacity) {
    const uint8_t data[] = {1, 2, 3, 4, 5};
    uint8_t out[8] = {};
    uint32_t size = 3;
    EXPECT_EQ(PutBytes(data, sizeof(data), out, &size), 1);
    EXPECT_EQ(size, 3u);
    EXPECT_EQ(out[2], 3);
    EXPECT_EQ(out[3], 0);
    size = 8;
    EXPECT_EQ(PutBytes(data, sizeof(data), out, &size), 1);
    EXPECT_EQ(size, 5u);
    EXPECT_EQ(PutBytes(data, sizeof(data), nullptr, &size), 0);
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(PutBytes(data, sizeof(data), out, nullptr), 0);
}

TEST(ClearText, EmptiesWhatItCan) {
    char out[4] = "abc";
    uint32_t size = 4;
    ClearText(out, &size);
    EXPECT_STREQ(out, "");
    EXPECT_EQ(size, 0u);
    char untouched[4] = "abc";
    size = 0;
    ClearText(untouched, &size);
    EXPECT_STREQ(untouched, "abc");  // a capacity of 0 owns no byte
    ClearText(nullptr, nullptr);
}

}  // namespace
}  // namespace brevlink
