// run_python_script and run_python_line in a host that exports only LogMessageFromPython: the other
// exports are missing, so scripts see their missing-export answers.
#include "script_ext/module_init.h"
#include "script_ext/script_interface.h"
#include "script_ext/stdio_redirect.h"

#include <gtest/gtest.h>
#include <boost/python.hpp>

#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

namespace bp = boost::python;

namespace {

std::vector<std::string> logged;

}  // namespace

extern "C" void LogMessageFromPython(const char* text) {
    logged.emplace_back(text);
}

namespace {

class EmbeddingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        logged.clear();
        PythonStdIoRedirect::TakeOutput();
    }

    // Writes `source` to a script file of this test and answers its path.
    std::string Script(const std::string& source) {
        const std::string path = ::testing::TempDir() + "kestrova_embedding_" + std::to_string(getpid()) + "_" +
                                 std::to_string(scripts_++) + ".py";
        std::ofstream(path) << source;
        paths_.push_back(path);
        return path;
    }

    bool Run(const std::string& source) { return ScriptInterface::Instance().run_python_script(Script(source), 0, {}); }

    // A value of the __main__ namespace, fetched through a line.
    template <typename T>
    T Main(const std::string& expression) {
        ScriptInterface::Instance().run_python_line("_probe = " + expression, 0, {});
        return bp::extract<T>(bp::import("__main__").attr("_probe"));
    }

    void TearDown() override {
        for (const std::string& path : paths_) {
            std::remove(path.c_str());
        }
    }

  private:
    int scripts_ = 0;
    std::vector<std::string> paths_;
};

TEST_F(EmbeddingTest, FailingScriptLogsTheLast100WritesWithCrLfLineEnds) {
    // Recording wrappers forward each write unchanged to the redirects and note it, so the test knows
    // every write the ring saw.
    const bool ran = Run(R"(import sys
writes = []
class Recording:
    def __init__(self, target):
        self.target = target
    def write(self, text):
        writes.append(text)
        self.target.write(text)
sys.stdout = Recording(sys.stdout)
sys.stderr = Recording(sys.stderr)
for i in range(150):
    print("line%d" % i)
raise ValueError("boom")
)");
    EXPECT_FALSE(ran);
    ScriptInterface::Instance().run_python_line("sys.stdout = sys.stdout.target; sys.stderr = sys.stderr.target", 0,
                                                {});
    const auto writes = Main<int>("len(writes)");
    ASSERT_GT(writes, 300);
    const auto last100 = Main<std::string>("''.join(writes[-100:])");
    ASSERT_EQ(logged.size(), 1u);
    EXPECT_EQ(logged[0], kestrova::script::WithCrLfLineEnds(last100));
    EXPECT_EQ(logged[0].find("line0\r\n"), std::string::npos);
    EXPECT_NE(logged[0].find("line149\r\nTraceback (most recent call last):\r\n"), std::string::npos);
    EXPECT_EQ(logged[0].substr(logged[0].size() - 18), "ValueError: boom\r\n");
}

TEST_F(EmbeddingTest, SuccessfulScriptLogsNothingAndItsOutputPrecedesTheNextFailure) {
    EXPECT_TRUE(Run("print('kept for later')\n"));
    EXPECT_TRUE(logged.empty());
    EXPECT_FALSE(Run("import sys\nsys.stdout.flush()\n1/0\n"));
    ASSERT_EQ(logged.size(), 1u);
    EXPECT_EQ(logged[0].rfind("kept for later\r\nTraceback", 0), 0u);
    EXPECT_NE(logged[0].find("ZeroDivisionError"), std::string::npos);
}

TEST_F(EmbeddingTest, LaterRunsShareTheNamespaceAndTheRedirect) {
    EXPECT_TRUE(Run("import sys\nfirst_stdout = sys.stdout\nanswer = 41\n"));
    EXPECT_TRUE(
        Run("import sys\nassert answer == 41\nassert sys.stdout is first_stdout\n"
            "assert type(sys.stderr) is PythonStdIoRedirect\n"));
    EXPECT_TRUE(logged.empty());
}

TEST_F(EmbeddingTest, ReleaseThenInstanceInstallsAFreshRedirect) {
    EXPECT_TRUE(Run("import sys\nbefore = sys.stdout\n"));
    ScriptInterface::Instance().Release();
    EXPECT_TRUE(Run("import sys\nassert sys.stdout is not before\nassert type(sys.stdout) is PythonStdIoRedirect\n"));
    EXPECT_TRUE(logged.empty());
}

TEST_F(EmbeddingTest, UnreadableScriptsAnswerFalseAndLogNothing) {
    ScriptInterface& si = ScriptInterface::Instance();
    EXPECT_FALSE(si.run_python_script("/nonexistent/kestrova/script.py", 0, {}));
    EXPECT_FALSE(si.run_python_script(::testing::TempDir(), 0, {}));
    EXPECT_FALSE(si.run_python_script("", 0, {}));
    EXPECT_TRUE(logged.empty());
}

TEST_F(EmbeddingTest, ScriptsReachTheSingletonThroughTheModule) {
    EXPECT_TRUE(Run(R"(import lm_embedded_python_ext as ext
si = ext.get_interface()
si.LogMessage("from the script")
assert si.Read("10") == "communication error"
assert si.QueryForInt("a", "b") == 0
assert ext.ScriptInterface.Instance().ReadValInitRange("10") == "communication error"
assert ext.TRIVEX_MANAGEMENT_WRAPPER().ReadNumberCLUTsSupported() == 1024
)"));
    EXPECT_EQ(logged, std::vector<std::string>{"from the script"});
}

TEST_F(EmbeddingTest, ScriptMayReleaseTheSingletonItRunsIn) {
    EXPECT_TRUE(Run("import lm_embedded_python_ext as ext\nold = ext.get_interface()\nold.Release()\n"));
    EXPECT_FALSE(Run("old.LogMessage('through a released reference')\n"));
    ASSERT_EQ(logged.size(), 1u);
    EXPECT_NE(logged[0].find("RuntimeError: this ScriptInterface was released"), std::string::npos);
}

TEST_F(EmbeddingTest, SystemExitEndsTheScriptWithoutEndingTheHost) {
    struct Case {
        const char* source;
        bool expected;
        const char* inLog;  // null: nothing logged
    };
    const Case cases[] = {
        {"import sys\nsys.exit()\n", true, nullptr},
        {"import sys\nsys.exit(0)\n", true, nullptr},
        {"import sys\nsys.exit(3)\n", false, "SystemExit: 3"},
        {"raise SystemExit('bye')\n", false, "SystemExit: bye"},
    };
    for (const Case& c : cases) {
        logged.clear();
        EXPECT_EQ(Run(c.source), c.expected) << c.source;
        if (c.inLog == nullptr) {
            EXPECT_TRUE(logged.empty()) << c.source;
        } else {
            ASSERT_EQ(logged.size(), 1u) << c.source;
            EXPECT_NE(logged[0].find(c.inLog), std::string::npos) << logged[0];
        }
    }
}

TEST_F(EmbeddingTest, SyntaxErrorsAreLoggedAndNotLeftPending) {
    EXPECT_FALSE(Run("def broken(:\n"));
    ASSERT_EQ(logged.size(), 1u);
    EXPECT_NE(logged[0].find("SyntaxError"), std::string::npos);
    EXPECT_EQ(PyErr_Occurred(), nullptr);
    EXPECT_TRUE(Run("ok = True\n"));
}

TEST_F(EmbeddingTest, LinesRunInTheScriptNamespace) {
    ScriptInterface& si = ScriptInterface::Instance();
    EXPECT_TRUE(si.run_python_line("from_line = 6 * 7", 0, {}));
    EXPECT_TRUE(Run("assert from_line == 42\nfrom_script = 'yes'\n"));
    EXPECT_EQ(Main<std::string>("from_script"), "yes");
}

TEST_F(EmbeddingTest, LineErrorsReachTheHostAsPythonErrors) {
    ScriptInterface& si = ScriptInterface::Instance();
    EXPECT_THROW(si.run_python_line("undefined_name_here", 0, {}), bp::error_already_set);
    EXPECT_TRUE(PyErr_ExceptionMatches(PyExc_NameError));
    PyErr_Clear();
    EXPECT_TRUE(logged.empty());
}

TEST_F(EmbeddingTest, RegistrationWhileRunningKeepsTheOneModule) {
    EXPECT_TRUE(Run("import lm_embedded_python_ext as ext\nfirst_module = ext\n"));
    EXPECT_NO_THROW(initlm_embedded_python_ext());
    EXPECT_TRUE(Run("import lm_embedded_python_ext as ext\nassert ext is first_module\n"));
}

}  // namespace
