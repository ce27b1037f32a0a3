#include "report/html_escape.h"

#include <gtest/gtest.h>

namespace kestrova::report {
namespace {

TEST(HtmlEscapeTest, MarkupCharactersBecomeEntitiesEverythingElseStays) {
    struct Case {
        const char* text;
        const char* escaped;
    };
    const Case cases[] = {
        {"", ""},
        {"Velmora VX2750 \"Pro\" 27' (c) 2026", "Velmora VX2750 \"Pro\" 27' (c) 2026"},
        {"<script>alert(1)</script>", "&lt;script&gt;alert(1)&lt;/script&gt;"},
        {"A&B", "A&amp;B"},
        {"&lt;", "&amp;lt;"},
        {"prot(monitor)type(lcd)vcp(10 12 14(01 05))", "prot(monitor)type(lcd)vcp(10 12 14(01 05))"},
        {"\xC3\xA9\xE2\x84\xA2", "\xC3\xA9\xE2\x84\xA2"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EscapeHtml(c.text), c.escaped) << c.text;
    }
}

}  // namespace
}  // namespace kestrova::report
