#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "bus/wrapper_table.h"
#include "report/report_writer.h"
#include "report_test_support.h"

namespace kestrova::report {
namespace {

namespace expected = testing::expected;

// The few wrapper operations the capabilities section uses, over one scriptable state.
struct FakeCaps {
    std::string caps = "prot(monitor)type(lcd)vcp(10 12)";
    int32_t reportedSize = -1;          // -1: the string's length
    std::vector<int32_t> fetchResults;  // answers of successive fetches; empty: 1
    std::vector<std::string> calls;
    int locksHeld = 0;
};

FakeCaps fake;

int32_t Size(int32_t) {
    return fake.reportedSize >= 0 ? fake.reportedSize : static_cast<int32_t>(fake.caps.size());
}
int32_t GetSize(int32_t monitor) {
    fake.calls.push_back("WrCapsGetSize " + std::to_string(monitor));
    return Size(monitor);
}
int32_t GetCapstrSize(int32_t monitor) {
    fake.calls.push_back("WrCapsGetCapstrSize " + std::to_string(monitor));
    return Size(monitor);
}
int32_t GetString(int32_t monitor, char* text, uint32_t* size) {
    fake.calls.push_back("WrCapsGetString " + std::to_string(monitor) + " capacity=" + std::to_string(*size) +
                         " locked=" + std::to_string(fake.locksHeld));
    int32_t result = 1;
    if (!fake.fetchResults.empty()) {
        result = fake.fetchResults.front();
        fake.fetchResults.erase(fake.fetchResults.begin());
    }
    if (result != 0) {
        // Fills the whole capacity without a terminator when the string is as long: the writer must cope.
        const size_t n = std::min<size_t>(fake.caps.size(), *size);
        std::memcpy(text, fake.caps.data(), n);
        *size = static_cast<uint32_t>(n);
    }
    return result;
}
int32_t Lock() {
    fake.calls.push_back("WrSynLock");
    ++fake.locksHeld;
    return 1;
}
int32_t Unlock() {
    fake.calls.push_back("WrSynUnlock");
    --fake.locksHeld;
    return 1;
}

class CapsSectionTest : public testing::ReportFixture {
  protected:
    void SetUp() override {
        ReportFixture::SetUp();
        fake = FakeCaps();
        module_.Add("WrSynLock", &Lock);
        module_.Add("WrSynUnlock", &Unlock);
        module_.Add("WrCapsGetSize", &GetSize);
        module_.Add("WrCapsGetCapstrSize", &GetCapstrSize);
        module_.Add("WrCapsGetString", &GetString);
        Bind();
        Monitor().index = 3;
    }
    void TearDown() override {
        bus::SetOptionalEntryPointSource(nullptr);
        bus::UnbindWrapper();
        ReportFixture::TearDown();
    }
    void Bind() {
        bus::BindWrapper(module_);
        bus::SetOptionalEntryPointSource(&module_);
    }

    bus::FakeEntryPoints module_;
};

const std::string kFound = std::string(expected::kCapsTitle) + expected::kCapsOpen + "<BR>";
const std::string kBadLines = std::string(expected::kCapsBad1) + "<BR>" + expected::kCapsBad2 + "<BR>" +
                              expected::kCapsBad3 + "<BR>" + expected::kPEnd + expected::kSpaceNl + "<BR>";

TEST_F(CapsSectionTest, FetchOutcomes) {
    struct Case {
        const char* name;
        std::vector<int32_t> fetchResults;
        std::string expectedBody;
        int fetches;
    };
    const std::string good =
        kFound + "prot(monitor)type(lcd)vcp(10 12)<BR>" + expected::kPEnd + expected::kSpaceNl + "<BR>";
    const Case cases[] = {
        {"first fetch answers", {1}, good, 1},
        {"second fetch answers", {0, 1}, good, 2},
        {"both fetches fail", {0, 0}, kFound + kBadLines, 2},
        {"an answer other than 1 is tried again, then written", {2, 2}, good, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(ReportBody.Allocate(testing::kTestBodyCapacity));
        fake.calls.clear();
        fake.fetchResults = c.fetchResults;
        WriteCapsSection();
        EXPECT_EQ(Body(), c.expectedBody);
        std::vector<std::string> expectedCalls = {"WrSynLock", "WrCapsGetSize 3"};
        for (int i = 0; i < c.fetches; ++i) {
            expectedCalls.push_back("WrCapsGetString 3 capacity=34 locked=1");
        }
        expectedCalls.push_back("WrSynUnlock");
        EXPECT_EQ(fake.calls, expectedCalls);
    }
}

TEST_F(CapsSectionTest, WithoutAMonitorOnlyTheTitleAndTheClosingLine) {
    Monitor().index = -1;
    WriteCapsSection();
    EXPECT_EQ(Body(), std::string(expected::kCapsTitle) + "&nbsp;\n<BR>");
    EXPECT_TRUE(fake.calls.empty());
}

TEST_F(CapsSectionTest, OlderLibrariesReportTheSizeTheOldWay) {
    module_.Remove("WrCapsGetSize");
    Bind();
    WriteCapsSection();
    EXPECT_EQ(fake.calls[1], "WrCapsGetCapstrSize 3");
}

TEST_F(CapsSectionTest, ALibraryWithoutTheFetchGivesTheRedLines) {
    module_.Remove("WrCapsGetString");
    module_.Remove("WrCapsGetSize");
    module_.Remove("WrCapsGetCapstrSize");
    Bind();
    WriteCapsSection();
    EXPECT_EQ(Body(), kFound + kBadLines);
}

TEST_F(CapsSectionTest, ALongStringGoesInWholeAndEscaped) {
    fake.caps = "prot(monitor)model(<X&Y>)vcp(" + std::string(3000, '1') + ")";
    WriteCapsSection();
    EXPECT_EQ(Body(), kFound + "prot(monitor)model(&lt;X&amp;Y&gt;)vcp(" + std::string(3000, '1') + ")<BR>" +
                          expected::kPEnd + expected::kSpaceNl + "<BR>");
}

TEST_F(CapsSectionTest, AnUnderstatedSizeCutsTheStringInsideItsBuffer) {
    fake.reportedSize = 4;
    WriteCapsSection();
    // size + 2 bytes: five characters and the terminator.
    EXPECT_EQ(Body(), kFound + "prot(<BR>" + expected::kPEnd + expected::kSpaceNl + "<BR>");
}

}  // namespace
}  // namespace kestrova::report
