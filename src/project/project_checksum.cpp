#include "project/project_checksum.h"

#include <cstdio>

namespace kestrova::project {

namespace {

void FoldText(ChecksumFolder& folder, std::string_view text) {
    for (char c : text) {
        folder.Fold(static_cast<int8_t>(c));
    }
}

}  // namespace

uint32_t ProjectChecksum(const ProjectRecord& record) {
    ChecksumFolder folder;
    folder.Fold(record.version);
    FoldText(folder, record.title.View());
    folder.Fold(static_cast<int16_t>(record.testType));
    folder.Fold(static_cast<int16_t>(record.level));
    folder.Fold(static_cast<int16_t>(record.pluginBits));
    FoldText(folder, record.applicationKey.View());
    for (int pass = 0; pass < 2; ++pass) {
        for (uint8_t selected : record.selection) {
            folder.Fold(selected);
        }
    }
    return folder.Value();
}

std::string ChecksumText(uint32_t checksum) {
    char text[9];
    std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(checksum));
    return text;
}

}  // namespace kestrova::project
