#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "operator/testing/recording_presenter.h"
#include "report/report_writer.h"
#include "report_test_support.h"

namespace kestrova::report {
namespace {

namespace fs = std::filesystem;
using op::testing::EventKind;

class ReportSaveTest : public testing::ReportFixture {
  protected:
    void SetUp() override {
        ReportFixture::SetUp();
        folder_ =
            fs::temp_directory_path() /
            ("kestrova_report_save_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        Monitor().index = 1;
        Monitor().manufacturer = "Velmora";
        Monitor().model = "VX2750";
        ReportCover.Assign("&nbsp;&nbsp;<center>cover");
        ReportSummary.Assign("<BR>summary\r\n");
        ReportAppend(std::string("body\0with a NUL", 15));
    }
    void TearDown() override {
        fs::remove_all(folder_);
        ReportFixture::TearDown();
    }

    std::string Path(const char* name) const { return (folder_ / name).string(); }

    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    const std::string kWhole = std::string("&nbsp;&nbsp;<center>cover<BR>summary\r\nbody\0with a NUL", 53);
    fs::path folder_;
    op::testing::RecordingPresenter presenter_;
    op::ScopedPresenter installed_{&presenter_};
};

TEST_F(ReportSaveTest, SavesCoverSummaryAndBodyByteForByte) {
    const std::string path = Path("report.html");
    std::ofstream(path) << "an older, much longer report that must not leave a tail behind";
    presenter_.QueueSavePath(path);

    EXPECT_TRUE(SaveReport());
    EXPECT_EQ(Read(path), kWhole);
    EXPECT_FALSE(ReportBody.IsAllocated());

    const auto request = presenter_.LastSaveRequest();
    ASSERT_TRUE(request.has_value());
    EXPECT_EQ(request->title, "Save results as:");
    EXPECT_TRUE(request->filters.empty());
    EXPECT_EQ(request->proposedName, "VCP Check Velmora VX2750.html");
    EXPECT_TRUE(request->pathMustExist);
    EXPECT_EQ(request->maxPathLength, 299u);
    EXPECT_TRUE(presenter_.Messages().empty());
}

TEST_F(ReportSaveTest, ProposedNames) {
    struct Case {
        const char* manufacturer;
        const char* model;
        const char* proposed;
    };
    const Case cases[] = {
        {"Velmora", "VX2750", "VCP Check Velmora VX2750.html"},
        {"", "", "VCP Check  .html"},
        // A monitor's texts never steer the save into another folder or an invalid name.
        {"..\\..\\Windows", "A/B:C*?\"<>|\t", "VCP Check .._.._Windows A_B_C_______.html"},
    };
    for (const Case& c : cases) {
        bus::MonitorRecord record;
        record.manufacturer = c.manufacturer;
        record.model = c.model;
        EXPECT_EQ(ProposedReportName(record), c.proposed);
    }
}

TEST_F(ReportSaveTest, AnUnwritablePathIsReportedAndTheDialogOfferedAgain) {
    const std::string bad = Path("no such folder/report.html");
    const std::string good = Path("second try.html");
    presenter_.QueueSavePath(bad);
    presenter_.QueueSavePath(good);

    EXPECT_TRUE(SaveReport());
    EXPECT_EQ(Read(good), kWhole);
    EXPECT_FALSE(fs::exists(bad));
    EXPECT_FALSE(ReportBody.IsAllocated());

    const auto events = presenter_.Events();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].kind, EventKind::kSaveDialog);
    EXPECT_EQ(events[1].kind, EventKind::kMessage);
    EXPECT_EQ(events[1].caption, "Error");
    EXPECT_NE(events[1].text.find(bad), std::string::npos) << events[1].text;
    EXPECT_EQ(events[2].kind, EventKind::kSaveDialog);
}

TEST_F(ReportSaveTest, CancellingWritesNothingAndFreesTheBody) {
    struct Case {
        const char* name;
        bool failFirst;
        size_t errorBoxes;
    };
    const Case cases[] = {{"cancel at once", false, 0}, {"cancel after a failed save", true, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        presenter_.ClearEvents();
        ASSERT_TRUE(ReportBody.Allocate(testing::kTestBodyCapacity));
        if (c.failFirst) {
            presenter_.QueueSavePath(Path("missing/report.html"));
        }
        presenter_.QueueSavePath(std::nullopt);

        EXPECT_FALSE(SaveReport());
        EXPECT_FALSE(ReportBody.IsAllocated());
        EXPECT_TRUE(fs::is_empty(folder_));
        EXPECT_EQ(presenter_.EventsOf(EventKind::kMessage).size(), c.errorBoxes);
    }
}

TEST_F(ReportSaveTest, WithoutAPresenterNothingIsSavedAndTheBodyIsFreed) {
    op::ScopedPresenter none(nullptr);
    EXPECT_FALSE(SaveReport());
    EXPECT_FALSE(ReportBody.IsAllocated());
}

TEST_F(ReportSaveTest, AnUnallocatedBodySavesCoverAndSummary) {
    FreeReportBody();
    const std::string path = Path("short.html");
    presenter_.QueueSavePath(path);
    EXPECT_TRUE(SaveReport());
    EXPECT_EQ(Read(path), "&nbsp;&nbsp;<center>cover<BR>summary\r\n");
}

#if defined(__linux__)
TEST_F(ReportSaveTest, AFullDiskIsAFailedSave) {
    if (!fs::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full";
    }
    EXPECT_FALSE(WriteReportFile("/dev/full"));
}
#endif

}  // namespace
}  // namespace kestrova::report
