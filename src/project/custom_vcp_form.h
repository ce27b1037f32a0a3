// The "Add custom VCP" form, opened from the wizard's selection step. Its fields are fixed; what a
// custom code should become is not, so OK and Cancel both only close it and nothing entered is
// kept. The form's values live only as long as the form.
#pragma once

#include <string>

namespace kestrova::project {

enum class CustomVcpTest { kNone, kManual, kAutomatic };
enum class CustomVcpContinuity { kNone, kContinuous, kNotContinuous };
enum class CustomVcpAccess { kNone, kReadWrite, kReadOnly, kWriteOnly };

struct CustomVcpForm {
    std::string code;  // "VCP Code (0x):"
    std::string name;  // "VCP Name:"
    CustomVcpTest test = CustomVcpTest::kNone;
    CustomVcpContinuity continuity = CustomVcpContinuity::kNone;
    CustomVcpAccess access = CustomVcpAccess::kNone;
    int minimum = 0;  // "NC Attributes"
    int maximum = 0;
    bool getDiscreteValue = false;
};

}  // namespace kestrova::project
