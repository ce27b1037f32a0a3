// The table kinds of the Struct and LargeStruct transfers, passed to the host as an int.
#pragma once

enum struct_types {
    LUT_SIZE_STRUCT = 0,
    SP_LUT_OPERATION_STRUCT = 1,
    BLOCK_LUT_OPERATION_STRUCT = 2,
    GAMUT_MANAGEMENT_STRUCT = 3,
    TRIVEX_MANAGEMENT_STRUCT = 4,
};
