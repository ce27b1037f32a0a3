// Byte areas between a script and a host that exports DiagReadBytesWithStop: the host reads the
// request's full 256-byte area and writes as many reply bytes as it is told, so the extension must
// pad the one and cut the other to what the script handed over (ASan sees any overrun).
#include "script_ext/host_exports.h"
#include "script_ext/module_init.h"
#include "script_ext/script_interface.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

struct ByteCall {
    std::vector<unsigned char> request;  // the whole area the host may read
    int count = 0;
};

std::vector<ByteCall> calls;
std::vector<std::string> logged;

}  // namespace

extern "C" void LogMessageFromPython(const char* text) {
    logged.emplace_back(text);
}

extern "C" void DiagReadBytesWithStop(unsigned char* request, unsigned char* reply, int count) {
    calls.push_back({std::vector<unsigned char>(request, request + kestrova::script::kHostByteAreaSize), count});
    for (int i = 0; i < count; ++i) {
        reply[i] = 0xEE;
    }
}

namespace {

struct ByteCase {
    const char* request;  // Python expressions
    int replySize;        // above 512 bytes, so that Python takes the area from malloc and ASan guards it
    int count;
    int hostCount;  // the count the host is handed
};

TEST(ScriptByteAreas, RequestsArePaddedAndReplyCountsCutToTheScriptsAreas) {
    const ByteCase cases[] = {
        {"b'\\x01\\x10'", 600, 1000, 600},
        {"b'\\x01\\x10'", 600, 2, 2},
        {"bytearray(b'\\x51')", 600, -5, 0},
        {"'\\xff' * 300", 700, 700, 700},
        {"b''", 0, 4, 0},
    };
    const std::string path = ::testing::TempDir() + "kestrova_byte_areas_" + std::to_string(getpid()) + ".py";
    for (const ByteCase& c : cases) {
        calls.clear();
        logged.clear();
        std::ofstream(path) << "import lm_embedded_python_ext as ext\n"
                            << "request = " << c.request << "\n"
                            << "reply = bytearray(" << c.replySize << ")\n"
                            << "ext.get_interface().ReadBytesWithStop(request, reply, " << c.count << ")\n"
                            << "assert reply == bytearray(b'\\xee' * " << c.hostCount << ") + bytearray("
                            << c.replySize - c.hostCount << ")\n";
        EXPECT_TRUE(ScriptInterface::Instance().run_python_script(path, 0, {})) << c.request << " " << c.count;
        EXPECT_TRUE(logged.empty()) << (logged.empty() ? "" : logged.front());
        ASSERT_EQ(calls.size(), 1u) << c.request;
        EXPECT_EQ(calls[0].count, c.hostCount) << c.request << " " << c.count;
    }
    std::remove(path.c_str());
    // The request's own bytes first, zeros after them.
    calls.clear();
    std::ofstream(path) << "import lm_embedded_python_ext as ext\next.get_interface().ReadBytesWithStop(b'\\x01\\x10', "
                           "bytearray(600), 1)\n";
    ASSERT_TRUE(ScriptInterface::Instance().run_python_script(path, 0, {}));
    std::remove(path.c_str());
    ASSERT_EQ(calls.size(), 1u);
    std::vector<unsigned char> expected(kestrova::script::kHostByteAreaSize, 0);
    expected[0] = 0x01;
    expected[1] = 0x10;
    EXPECT_EQ(calls[0].request, expected);
}

}  // namespace
