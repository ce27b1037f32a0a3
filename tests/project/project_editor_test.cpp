#include "project/project_editor.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "catalogue/vcp_catalogue.h"
#include "operator/run_settings.h"
#include "operator/testing/recording_presenter.h"
#include "project/project_checksum.h"
#include "project/project_file.h"

namespace kestrova::project {
namespace {

namespace fs = std::filesystem;
using op::testing::EventKind;

const platform::LocalDateTime kNow{"14:07", "Monday, December 7, 2026"};

VcpSelection SelectionOf(std::initializer_list<uint8_t> codes) {
    VcpSelection selection{};
    for (uint8_t code : codes) {
        selection[code] = 1;
    }
    return selection;
}

class ProjectEditorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        catalogue::Catalogue().ClearCaps();
        op::InstallPresenter(&presenter_);
        dir_ = fs::temp_directory_path() /
               ("kestrova_editor_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::create_directories(dir_);
    }
    void TearDown() override {
        op::InstallPresenter(nullptr);
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }

    std::string PathOf(const char* name) const { return (dir_ / name).string(); }

    op::testing::RecordingPresenter presenter_;
    fs::path dir_;
};

TEST(EditorChecksTest, TitleThenKeyLengthAndHexThenDefaultKey) {
    struct Case {
        std::string title;
        std::string key;
        std::optional<std::string> problem;
    };
    const Case cases[] = {
        {"", "01", "Project title must be filled in!"},
        {"", "FF", "Project title must be filled in!"},
        {std::string(1, '\0') + "abc", "01", "Project title must be filled in!"},
        {"abc", "", "Application key needs to be 2 hex characters!"},
        {"abc", "F", "Application key needs to be 2 hex characters!"},
        {"abc", "FFF", "Application key needs to be 2 hex characters!"},
        {"abc", "0123456789AB", "Application key needs to be 2 hex characters!"},
        {"abc", "zz", "Application key needs to be 2 hex characters!"},
        {"abc", "FF", "Application key Can not be default 0xFF value!"},
        {"abc", "ff", std::nullopt},
        {"abc", "0a", std::nullopt},
        {std::string(299, 't'), "01", std::nullopt},
        {std::string(300, 't'), "01", std::nullopt},
    };
    for (const Case& c : cases) {
        ProjectEditorFields fields;
        fields.title = c.title;
        fields.applicationKey = c.key;
        EXPECT_EQ(CheckEditorFields(fields), c.problem) << c.title.size() << " '" << c.key << "'";
    }
}

TEST(EditorFileNameTest, TitleInTheNameSafeAndWithinTheFileSystemLimit) {
    EXPECT_EQ(DefaultProjectFileName("abc"), "VCP Project abc.vmdProj");
    EXPECT_EQ(DefaultProjectFileName("VM-24 a/b\\c:d*e?f\"g<h>i|j"), "VCP Project VM-24 a_b_c_d_e_f_g_h_i_j.vmdProj");
    const std::string longName = DefaultProjectFileName(std::string(299, 'x'));
    EXPECT_EQ(longName.size(), kMaxFileNameLength);
    EXPECT_EQ(longName.substr(longName.size() - 8), ".vmdProj");
}

TEST(EditorRecordTest, ListPositionsAndBoxesMapToTheRecord) {
    ProjectEditorFields fields;
    fields.title = std::string(320, 'a');
    fields.testType = 2;
    fields.level = kNoChoice;
    fields.theftDeterrence = true;
    fields.autoPivot = true;
    fields.applicationKey = "0a";
    fields.comments = std::string(1100, 'c');
    const ProjectRecord record = RecordFromFields(fields, SelectionOf({0x10}));
    EXPECT_EQ(record.title.Size(), 299u);
    EXPECT_EQ(record.testType, kTestTypeManual);
    EXPECT_EQ(record.level, 0xFFFF);
    EXPECT_EQ(record.pluginBits, kPluginTheftDeterrence | kPluginAutoPivot);
    EXPECT_EQ(record.applicationKey, "0a");
    EXPECT_EQ(record.comments.Size(), 1023u);
    EXPECT_EQ(record.selection, SelectionOf({0x10}));

    struct Case {
        uint16_t testType;
        uint16_t level;
        int testTypePosition;
        int levelPosition;
    };
    const Case cases[] = {{0, 0, 0, 0}, {1, 1, 1, 1}, {2, 2, 2, kNoChoice}, {3, 0xFFFF, kNoChoice, kNoChoice}};
    for (const Case& c : cases) {
        ProjectRecord read;
        read.testType = c.testType;
        read.level = c.level;
        read.pluginBits = kPluginVista | kPluginZoningPip;
        const ProjectEditorFields back = FieldsFromRecord(read);
        EXPECT_EQ(back.testType, c.testTypePosition) << c.testType;
        EXPECT_EQ(back.level, c.levelPosition) << c.level;
        EXPECT_TRUE(back.vista && back.zoningPip);
        EXPECT_FALSE(back.assetManagement || back.theftDeterrence || back.autoPivot);
    }
}

TEST_F(ProjectEditorTest, NewProjectOpensWithDefaultsAndTheRequirementGroups) {
    ProjectEditorModel editor(kNow);
    const ProjectEditorFields& fields = editor.Fields();
    EXPECT_EQ(fields.title, "");
    EXPECT_EQ(fields.testType, 1);
    EXPECT_EQ(fields.level, 1);
    EXPECT_EQ(fields.applicationKey, "FF");
    EXPECT_EQ(fields.comments, "Edited 14:07 Monday, December 7, 2026: ");
    EXPECT_EQ(editor.AnalogPreview(),
              "Analog - vcp(04 05 06 08 0B 0C 0E 10 12 14 16 18 1A 1E 20 30 3E 60 6C 6E 70 B6 C6 C8 C9 DF)");
    EXPECT_EQ(editor.DigitalPreview(), "Digital - vcp(04 05 08 0B 0C 10 12 14 16 18 1A 60 6C 6E 70 B6 C6 C8 C9 DF)");
    EXPECT_EQ(editor.ChecksumText(), ChecksumText(ProjectChecksum(editor.Record())));
    EXPECT_TRUE(presenter_.Events().empty());
}

TEST_F(ProjectEditorTest, ChecksumFollowsTheTicks) {
    ProjectEditorModel editor(kNow);
    editor.Fields().title = "abc";
    editor.Fields().applicationKey = "01";
    editor.Tree().UncheckAll();
    editor.Recompute();
    EXPECT_EQ(editor.ChecksumText(), "00005709");
    editor.Tree().SetTicked(editor.Tree().CodeItem(0, 5), true);  // 0x10
    editor.Recompute();
    EXPECT_EQ(editor.ChecksumText(), "00015709");
}

TEST_F(ProjectEditorTest, PluginBoxesTickTheirGroupsButVistaDoesNothing) {
    ProjectEditorModel editor(kNow);
    editor.Tree().UncheckAll();
    editor.Recompute();
    struct Case {
        PluginBox box;
        uint8_t code;
        int group;
    };
    const Case cases[] = {{PluginBox::kAssetManagement, 0xC0, 2},
                          {PluginBox::kTheftDeterrence, 0xFB, 3},
                          {PluginBox::kZoningPip, 0xA5, 5},
                          {PluginBox::kAutoPivot, 0xAA, 4}};
    for (const Case& c : cases) {
        EXPECT_TRUE(editor.PluginBoxChanged(c.box, true));
        EXPECT_EQ(editor.Selection()[c.code], 1) << c.group;
        EXPECT_TRUE(editor.Tree().Item(editor.Tree().GroupItem(c.group)).Ticked());
        EXPECT_TRUE(editor.PluginBoxChanged(c.box, false));
        EXPECT_EQ(editor.Selection(), VcpSelection{}) << c.group;
    }
    const std::string checksum = editor.ChecksumText();
    EXPECT_FALSE(editor.PluginBoxChanged(PluginBox::kVista, true));
    EXPECT_EQ(editor.Selection(), VcpSelection{});
    EXPECT_EQ(editor.ChecksumText(), checksum);
}

TEST_F(ProjectEditorTest, LoadedProjectAddsItsCodesToThePreTickedTree) {
    ProjectRecord record;
    record.title = "VM-24";
    record.testType = kTestTypeAutomatic;
    record.level = kLevelRobust;
    record.applicationKey = "3c";
    record.selection = SelectionOf({0x59, 0x62});
    ProjectEditorModel editor(kNow);
    editor.Load(record);

    EXPECT_EQ(editor.Fields().title, "VM-24");
    EXPECT_EQ(editor.Fields().level, kNoChoice);
    EXPECT_EQ(editor.Fields().applicationKey, "3c");
    EXPECT_EQ(editor.Selection()[0x59], 1);
    EXPECT_EQ(editor.Selection()[0x62], 1);
    EXPECT_EQ(editor.Selection()[0x04], 1);
    EXPECT_TRUE(editor.Tree().Item(editor.Tree().CodeItem(10, 0)).Ticked());
    // Saved from here, the empty level is written as the list's -1.
    EXPECT_EQ(editor.Record().level, 0xFFFF);
}

TEST_F(ProjectEditorTest, RefusedOkShowsTheFirstProblemAndKeepsTheEditorOpen) {
    ProjectEditorModel editor(kNow);
    EXPECT_FALSE(editor.ConfirmOk());
    editor.Fields().title = "abc";
    EXPECT_FALSE(editor.ConfirmOk());
    const auto boxes = presenter_.EventsOf(EventKind::kMessage);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].caption, "Error");
    EXPECT_EQ(boxes[0].text, "Project title must be filled in!");
    EXPECT_EQ(boxes[1].text, "Application key Can not be default 0xFF value!");
    EXPECT_TRUE(presenter_.EventsOf(EventKind::kSaveDialog).empty());
}

TEST_F(ProjectEditorTest, OkSavesTheRecordUnderTheChosenName) {
    ProjectEditorModel editor(kNow);
    editor.Fields().title = "abc";
    editor.Fields().applicationKey = "01";
    const std::string path = PathOf("saved.vmdProj");
    presenter_.QueueSavePath(path);

    EXPECT_TRUE(editor.ConfirmOk());

    const auto request = presenter_.LastSaveRequest();
    ASSERT_TRUE(request);
    EXPECT_EQ(request->title, "Save project as:");
    EXPECT_TRUE(request->filters.empty());
    EXPECT_EQ(request->proposedName, "VCP Project abc.vmdProj");
    EXPECT_EQ(request->maxPathLength, 299u);
    EXPECT_TRUE(request->pathMustExist);
    ProjectRecord read;
    ASSERT_EQ(ReadProjectFile(path, read), ProjectReadError::kNone);
    EXPECT_EQ(SerializeProjectRecord(read), SerializeProjectRecord(editor.Record()));
}

TEST_F(ProjectEditorTest, CancelledSaveStillClosesAndWritesNothing) {
    ProjectEditorModel editor(kNow);
    editor.Fields().title = "abc";
    editor.Fields().applicationKey = "01";
    EXPECT_TRUE(editor.ConfirmOk());
    EXPECT_EQ(presenter_.EventsOf(EventKind::kSaveDialog).size(), 1u);
    EXPECT_TRUE(fs::is_empty(dir_));
}

TEST_F(ProjectEditorTest, FailedWriteAsksAgain) {
    ProjectEditorModel editor(kNow);
    editor.Fields().title = "abc";
    editor.Fields().applicationKey = "01";
    presenter_.QueueSavePath(PathOf("missing/folder.vmdProj"));
    presenter_.QueueSavePath(PathOf("second.vmdProj"));
    EXPECT_TRUE(editor.ConfirmOk());
    ASSERT_EQ(presenter_.Messages().size(), 1u);
    EXPECT_NE(presenter_.Messages()[0].find("could not be saved"), std::string::npos);
    EXPECT_TRUE(fs::exists(PathOf("second.vmdProj")));
}

TEST_F(ProjectEditorTest, EditingAsksForTheFileFirst) {
    ProjectRecord saved;
    saved.title = "VM-24";
    saved.applicationKey = "3c";
    const std::string good = PathOf("good.vmdProj");
    ASSERT_TRUE(WriteProjectFile(good, saved));
    std::vector<uint8_t> bytes(kProjectRecordSize, 0);
    bytes[0] = 2;
    const std::string newer = PathOf("newer.vmdProj");
    std::ofstream(newer, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());

    EXPECT_FALSE(PrepareProjectEditor(false, kNow));  // cancelled
    const auto request = presenter_.LastOpenRequest();
    ASSERT_TRUE(request);
    EXPECT_EQ(request->title, "Open project:");
    ASSERT_EQ(request->filters.size(), 2u);
    EXPECT_EQ(request->filters[1].pattern, "*.vmdProj");
    EXPECT_EQ(request->selectedFilter, 1);
    EXPECT_EQ(request->maxPathLength, 299u);

    presenter_.QueueOpenPath(good);
    auto editor = PrepareProjectEditor(false, kNow);
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->Fields().title, "VM-24");

    presenter_.QueueOpenPath(newer);
    editor = PrepareProjectEditor(false, kNow);
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->Fields().title, "");
    EXPECT_EQ(presenter_.Messages(), std::vector<std::string>{"Project format version is unsupported!"});

    presenter_.ClearEvents();
    EXPECT_TRUE(PrepareProjectEditor(true, kNow));
    EXPECT_TRUE(presenter_.Events().empty());
}

}  // namespace
}  // namespace kestrova::project
