// The checksum shown in the project editor's "CkSum:" field ("%08X"); never stored in the file.
#pragma once

#include <cstdint>
#include <string>

#include "project/project_record.h"

namespace kestrova::project {

// One step per value: rotate left by one bit, then add the value, modulo 2^32.
class ChecksumFolder {
  public:
    void Fold(int32_t value) { sum_ = ((sum_ << 1) | (sum_ >> 31)) + static_cast<uint32_t>(value); }
    uint32_t Value() const { return sum_; }

  private:
    uint32_t sum_ = 0;
};

// Folds the record as written: version, title characters as signed bytes, test type, level and
// plug-in bits as signed 16-bit values (a level of 0xFFFF counts as -1), key characters as signed
// bytes, then the selection bytes twice. Comments and the reserved block do not count.
uint32_t ProjectChecksum(const ProjectRecord& record);

// Eight upper-case hex digits.
std::string ChecksumText(uint32_t checksum);

}  // namespace kestrova::project
