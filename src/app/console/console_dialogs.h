// The check-off and selection steps answered from the command line instead of two dialogs.
#pragma once

#include <optional>
#include <string>

#include "app/console/selection_choice.h"
#include "app/wizard/checkoff_step.h"
#include "app/wizard/selection_step.h"

namespace kestrova::app::console {

// Fields given on the command line; the others keep what the dialog would show.
struct CheckoffOverrides {
    std::optional<std::string> user;
    std::optional<std::string> firmwareVersion;
    std::optional<std::string> revision;
    std::optional<std::string> firmwareDate;
    std::optional<std::string> lockingCode;
};

// Always OK, with the shown fields overridden by the given ones.
class ConsoleCheckoff final : public wizard::CheckoffDialog {
  public:
    explicit ConsoleCheckoff(CheckoffOverrides overrides) : overrides_(std::move(overrides)) {}
    std::optional<wizard::CheckoffFields> Edit(const wizard::CheckoffFields& fields, bool showLockingCode) override;

  private:
    CheckoffOverrides overrides_;
};

// Always OK, with the tree as the dialog pre-ticks it or as the command line chose.
class ConsoleSelection final : public wizard::SelectionDialog {
  public:
    explicit ConsoleSelection(SelectionChoice choice) : choice_(std::move(choice)) {}
    bool Run(project::VcpTree& tree, const std::string& capabilities) override;

  private:
    SelectionChoice choice_;
};

}  // namespace kestrova::app::console
