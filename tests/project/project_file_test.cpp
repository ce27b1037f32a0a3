#include "project/project_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "operator/mode_state.h"
#include "operator/run_settings.h"
#include "operator/testing/recording_presenter.h"
#include "project/project_settings.h"

namespace kestrova::project {
namespace {

namespace fs = std::filesystem;
using op::testing::EventKind;

class CaptionObserver : public op::ModeObserver {
  public:
    void SettingsMenuChanged(const op::SettingsMenuState&) override {}
    void ModeCaptionChanged(const std::string& caption) override { captions.push_back(caption); }
    std::vector<std::string> captions;
};

class ProjectFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        op::ResetRunSettings();
        ResetProjectSettings();
        op::InstallPresenter(&presenter_);
        op::InstallModeObserver(&observer_);
        dir_ = fs::temp_directory_path() /
               ("kestrova_project_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::create_directories(dir_);
    }
    void TearDown() override {
        op::InstallPresenter(nullptr);
        op::InstallModeObserver(nullptr);
        op::ResetRunSettings();
        ResetProjectSettings();
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }

    std::string PathOf(const char* name) const { return (dir_ / name).string(); }

    std::string WriteBytes(const char* name, const std::vector<uint8_t>& bytes) {
        std::string path = PathOf(name);
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        return path;
    }

    std::string WriteRecord(const char* name, const ProjectRecord& record) {
        std::string path = PathOf(name);
        EXPECT_TRUE(WriteProjectFile(path, record));
        return path;
    }

    std::vector<std::string> ErrorBoxes() const {
        std::vector<std::string> texts;
        for (const auto& event : presenter_.EventsOf(EventKind::kMessage)) {
            EXPECT_EQ(event.caption, "Error");
            texts.push_back(event.text);
        }
        return texts;
    }

    void ExpectNothingApplied() {
        EXPECT_EQ(op::ProjectTitle.View(), "chosen.vmdProj");
        EXPECT_EQ(op::TestMode.load(), op::kManualMode);
        EXPECT_FALSE(op::FullRangeTesting.load());
        EXPECT_FALSE(op::CurrentSettingsMenu().greyed);
        EXPECT_FALSE(ProjectRequiresVista || ProjectRequiresAutoPivot);
        EXPECT_TRUE(ProjectApplicationKey.Empty());
        EXPECT_TRUE(observer_.captions.empty());
    }

    op::testing::RecordingPresenter presenter_;
    CaptionObserver observer_;
    fs::path dir_;
};

ProjectRecord SampleRecord() {
    ProjectRecord record;
    record.title = "Model X";
    record.testType = kTestTypeAutomatic;
    record.level = kLevelRobust;
    record.pluginBits = 0xFF00 | kPluginVista | kPluginZoningPip;
    record.applicationKey = "3F";
    record.selection[0x10] = 1;
    record.comments = "notes";
    return record;
}

TEST_F(ProjectFileTest, HeaderIsAppliedToTheRunSettings) {
    op::ProjectPath = WriteRecord("a.vmdProj", SampleRecord());
    op::ProjectTitle = "a.vmdProj";
    ASSERT_TRUE(LoadProjectHeader());
    EXPECT_TRUE(ErrorBoxes().empty());
    EXPECT_EQ(op::ProjectTitle.View(), "Model X");
    EXPECT_EQ(op::TestMode.load(), op::kAutomaticMode);
    EXPECT_TRUE(op::FullRangeTesting.load());
    op::SettingsMenuState menu = op::CurrentSettingsMenu();
    EXPECT_TRUE(menu.automaticChecked);
    EXPECT_FALSE(menu.manualChecked);
    EXPECT_TRUE(menu.greyed);
    EXPECT_EQ(observer_.captions, (std::vector<std::string>{"Automatic - Standard", "Automatic - Robust"}));
    EXPECT_TRUE(ProjectRequiresVista);
    EXPECT_TRUE(ProjectRequiresZoningPip);
    EXPECT_FALSE(ProjectRequiresAssetManagement || ProjectRequiresTheftDeterrence || ProjectRequiresAutoPivot);
    EXPECT_EQ(ProjectApplicationKey.View(), "3F");
    EXPECT_FALSE(op::ChooseModeFromMenu(op::kManualMode));
}

TEST_F(ProjectFileTest, TestTypeAndLevelOutsideTheirValuesLeaveTheModeButGrey) {
    struct Case {
        uint16_t testType;
        uint16_t level;
        bool startAutomatic;
        bool startRobust;
        int mode;
        bool robust;
    };
    const Case cases[] = {
        {0, 0, false, false, op::kManualMode, false},     {0, 0, true, true, op::kAutomaticMode, true},
        {2, 1, true, true, op::kManualMode, false},       {7, 0xFFFF, true, false, op::kAutomaticMode, false},
        {0xFFFF, 2, false, false, op::kManualMode, true},
    };
    for (const Case& c : cases) {
        op::ResetRunSettings();
        op::SetModeChecked(c.startAutomatic ? op::kAutomaticMode : op::kManualMode);
        op::FullRangeTesting = c.startRobust;
        ProjectRecord record = SampleRecord();
        record.testType = c.testType;
        record.level = c.level;
        op::ProjectPath = WriteRecord("t.vmdProj", record);
        ASSERT_TRUE(LoadProjectHeader());
        EXPECT_EQ(op::TestMode.load(), c.mode) << "type " << c.testType;
        EXPECT_EQ(op::FullRangeTesting.load(), c.robust) << "level " << c.level;
        EXPECT_EQ(op::CurrentSettingsMenu().automaticChecked, c.mode == op::kAutomaticMode);
        EXPECT_TRUE(op::CurrentSettingsMenu().greyed);
    }
}

TEST_F(ProjectFileTest, RefusedFilesChangeNothing) {
    const ProjectBytes good = SerializeProjectRecord(SampleRecord());
    std::vector<uint8_t> full(good.begin(), good.end());
    std::vector<uint8_t> version2 = full;
    version2[0] = 2;
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        const char* message;
    };
    const Case cases[] = {
        {"empty", {}, kDamagedProjectText},
        {"one byte", {1}, kDamagedProjectText},
        {"version only", {1, 0}, kDamagedProjectText},
        {"head only", std::vector<uint8_t>(full.begin(), full.begin() + kSelectionOffset), kDamagedProjectText},
        {"one short", std::vector<uint8_t>(full.begin(), full.end() - 1), kDamagedProjectText},
        {"version 2", version2, kUnsupportedVersionText},
        {"short version 2", {2, 0, 'x'}, kUnsupportedVersionText},
        {"version 0x0100", {0, 1}, kUnsupportedVersionText},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        presenter_.ClearEvents();
        op::ProjectTitle = "chosen.vmdProj";
        op::ProjectPath = WriteBytes("bad.vmdProj", c.bytes);
        EXPECT_FALSE(LoadProjectHeader());
        EXPECT_EQ(ErrorBoxes(), std::vector<std::string>{c.message});
        ExpectNothingApplied();

        ProjectRecord edited;
        edited.title = "editor default";
        EXPECT_FALSE(ReadProjectForEdit(op::ProjectPath.Str(), edited));
        EXPECT_EQ(edited.title.View(), "editor default");
        EXPECT_EQ(ErrorBoxes().size(), 2u);
    }
}

TEST_F(ProjectFileTest, MissingFileCannotBeOpened) {
    op::ProjectTitle = "chosen.vmdProj";
    op::ProjectPath = PathOf("missing.vmdProj");
    EXPECT_FALSE(LoadProjectHeader());
    EXPECT_EQ(ErrorBoxes(), std::vector<std::string>{"Could not open Project file!"});
    ExpectNothingApplied();
}

TEST_F(ProjectFileTest, EditorReadsBackWhatWasWritten) {
    const ProjectRecord record = SampleRecord();
    std::string path = WriteRecord("e.vmdProj", record);
    EXPECT_EQ(fs::file_size(path), kProjectRecordSize);
    ProjectRecord back;
    ASSERT_TRUE(ReadProjectForEdit(path, back));
    EXPECT_EQ(SerializeProjectRecord(back), SerializeProjectRecord(record));
    EXPECT_TRUE(presenter_.Events().empty());
    // The editor reader leaves the run settings alone.
    EXPECT_EQ(op::TestMode.load(), op::kManualMode);
    EXPECT_FALSE(op::CurrentSettingsMenu().greyed);
}

TEST_F(ProjectFileTest, TrailingBytesAfterTheRecordAreIgnored) {
    const ProjectBytes good = SerializeProjectRecord(SampleRecord());
    std::vector<uint8_t> longer(good.begin(), good.end());
    longer.push_back(0xAA);
    ProjectRecord back;
    EXPECT_TRUE(ReadProjectForEdit(WriteBytes("long.vmdProj", longer), back));
    EXPECT_EQ(back.title.View(), "Model X");
}

TEST_F(ProjectFileTest, WriteFailsForAnUnwritablePath) {
    EXPECT_FALSE(WriteProjectFile(PathOf("no/such/dir/x.vmdProj"), SampleRecord()));
}

}  // namespace
}  // namespace kestrova::project
