#pragma once
// Storage of the persistent calibration record and a few generic flash accessors. The
// record lives in the module's configuration flash at offset 32768 on the USB module
// (offset 0 on the other products, which also keep a file copy and erase the flash
// sectors before writing). These functions take (buffer, length) or (offset, buffer,
// length); the driver's flash functions take (offset, length, buffer).
//
// A null buffer or a length of 0 answers 0 and touches nothing.
#include "lib_types.h"

// One flash request of the record-based accessors.
struct cfg_flash_req_t
{
    uint32 offset;
    uint32 len;
    // Not read by these accessors.
    uint32 reserved;
    u8 *buf;
};

// The record: len bytes from its flash offset; the flash read's result (1).
int32 cfg_read_forever_data(u8 *buf, u32 len);
// The record to its flash offset. On the USB module without erase; elsewhere after the
// file copy. The result of cfg_write_flash.
int32 cfg_write_forever_data(const u8 *buf, u32 len);
// len bytes at offset: on the USB module written directly, on the other products after
// erasing the 64 KiB sectors the range covers. 1; a failed sector calculation or last
// erase is passed back without writing.
int32 cfg_write_flash(u32 offset, const u8 *buf, u32 len);
// The file copy of the other products: between a read-write and a read-only remount of
// its folder, then "sync" (through gos_system). The file write's result (1).
int32 cfg_write_cali_date_file(const u8 *buf, u32 len);
int32 cfg_read_cali_date_file(u8 *buf, u32 len);
// The fixed area at flash offset 458752.
int32 cfg_read_flash_area(u8 *buf, u32 len);
int32 cfg_write_flash_area(const u8 *buf, u32 len);
int32 cfg_read_flash(u32 offset, u8 *buf, u32 len);
// op 0 writes (cfg_write_flash), op 1 reads; any other op does nothing and answers 0.
int32 cfg_flash_access(int op, u32 offset, u8 *buf, u32 len);
// The request's range written without erase / read; 1.
int32 cfg_flash_req_write(const cfg_flash_req_t *req);
int32 cfg_flash_req_read(const cfg_flash_req_t *req);
// drv_flash_erase_sector's result.
int32 cfg_flash_erase_sector(u32 sector);
