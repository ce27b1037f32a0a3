#include "engine/manual_screen_test.h"

#include "catalogue/vcp_catalogue.h"
#include "engine/screen_procedures.h"
#include "operator/operator_output.h"

namespace kestrova::engine {

bool ManualScreenTest(uint8_t code, ResultText& result) {
    op::LogLine("...testing %s ", catalogue::Catalogue()[code].name.CStr());
    switch (code) {
        case 0x04:
            return TestRestoreFactoryDefaults(result);
        case 0x05:
            return TestRestoreLuminance(result);
        case 0x06:
            return TestRestoreGeometry(result);
        case 0x08:
            return TestRestoreColour(result);
        case 0x1E:
            return TestAutoSetup(result);
        case 0x1F:
            return TestAutoColourSetup(result);
        default:
            result += "** Not tested yet **<BR>";
            return false;
    }
}

}  // namespace kestrova::engine
