#pragma once
// drv_flash_chunk_t: the flash transfer sizes of a product's FPGA class, filled by
// drv_fpga_t::get_flash_chunks (or get_boot_flash_chunks) and handed back to its
// chunked reads and writes.
#include "lib_types.h"

struct drv_flash_chunk_t
{
    // Bytes per read request.
    uint32 read_chunk;
    // Bytes per write request (a page).
    uint32 write_chunk;
};
