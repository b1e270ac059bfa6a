#pragma once
// Formatted output of the toolkit: standard output, a character buffer, C files and
// CSV dumps of byte arrays.
#include "lib_types.h"

#include <cstddef>
#include <cstdio>

// Formats to standard output; returns the characters written.
int32 lib_printf(const char *format, ...) __attribute__((format(printf, 1, 2)));
// Formats into buffer and terminates it; returns the characters written. A text that
// does not fit in size characters with its terminator is refused: -1, and the buffer
// holds the empty text.
int32 lib_sprintf(char *buffer, std::size_t size, const char *format, ...) __attribute__((format(printf, 3, 4)));
// "%d\n" into an open file; a null file is skipped.
void lib_write_int_line(std::FILE *file, int32 value);

// Writes "<name>.csv", one byte per line as an unsigned decimal: count bytes of first,
// or, with a second array, count / 2 of each (an odd count drops one of each). Then
// runs the shell command "sync". A name over 30 characters prints "filename too
// long!"; a file that cannot be made prints "can't open file! <file>", and one that
// cannot be written completely "can't write file! <file>", leaving any earlier file
// of that name as it was.
void lib_save_csv(const char *name, const u8 *first, const u8 *second, u32 count);
