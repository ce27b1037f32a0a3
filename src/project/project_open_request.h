// The open dialog both the wizard and the editor show for a project file.
#pragma once

#include "operator/presenter.h"

namespace kestrova::project {

inline constexpr char kOpenProjectTitle[] = "Open project:";

// "All" (*.*) and "Project" (*.vmdProj) with the second preselected; the path must exist.
inline op::FileDialogRequest ProjectOpenRequest(size_t maxPathLength) {
    op::FileDialogRequest request;
    request.title = kOpenProjectTitle;
    request.filters = {{"All", "*.*"}, {"Project", "*.vmdProj"}};
    request.selectedFilter = 1;
    request.maxPathLength = maxPathLength;
    request.pathMustExist = true;
    return request;
}

}  // namespace kestrova::project
