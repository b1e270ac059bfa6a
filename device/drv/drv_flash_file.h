#pragma once
// Byte access to the module's configuration flash and to plain files for the
// configuration layer. The flash functions only fetch the FPGA driver's transfer sizes
// and hand the request on; the FPGA driver splits it into pieces.
#include "lib_types.h"

#include <string>

// Writes length bytes at the flash offset (no erase); 1 whatever the driver did.
int32 drv_flash_write(uint32 offset, uint32 length, const uint8 *buffer);
// Reads length bytes from the flash offset; 1 whatever the driver did.
int32 drv_flash_read(uint32 offset, uint32 length, uint8 *buffer);
// The FPGA driver's sector erase: 1 erased, 0 the flash stayed busy.
int32 drv_flash_erase_sector(uint32 index);
// Replaces the file with length bytes of buffer; 1, also when it cannot be opened.
int32 drv_file_write(const std::string &path, const char *buffer, int32 length);
// Reads up to length bytes of the file into buffer, leaving the rest of it as it was;
// 1, also when the file cannot be opened (the buffer is then untouched).
int32 drv_file_read(const std::string &path, char *buffer, int32 length);
// Prints "rm -f usr/usr/*" and "rm -f usr/config/*" (after the working-directory
// prefix, empty here), removes the regular files those patterns name under the working
// directory (no shell is run) and flushes the file systems; 1.
int32 drv_clear_user_files();
