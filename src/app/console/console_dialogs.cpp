#include "app/console/console_dialogs.h"

namespace kestrova::app::console {

std::optional<wizard::CheckoffFields> ConsoleCheckoff::Edit(const wizard::CheckoffFields& fields, bool) {
    wizard::CheckoffFields answer = fields;
    answer.user = overrides_.user.value_or(answer.user);
    answer.firmwareVersion = overrides_.firmwareVersion.value_or(answer.firmwareVersion);
    answer.revision = overrides_.revision.value_or(answer.revision);
    answer.firmwareDate = overrides_.firmwareDate.value_or(answer.firmwareDate);
    answer.lockingCode = overrides_.lockingCode.value_or(answer.lockingCode);
    return answer;
}

bool ConsoleSelection::Run(project::VcpTree& tree, const std::string&) {
    ApplySelectionChoice(choice_, tree);
    return true;
}

}  // namespace kestrova::app::console
