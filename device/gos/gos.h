#pragma once
// OS layer of the device library: every call into the C runtime and the system goes
// through these gos_ entries, so that the drivers and the configuration layer stay
// free of platform calls. The entries keep the behaviour of the library's original
// Windows build where a caller can observe it (sleeps in whole milliseconds, the
// stubbed working-directory and descriptor entries).
//
// Two hooks let tests watch the layer without touching library code: every wait of
// the library ends in gos_sleep_ms, and every shell command in gos_system; a test
// replaces either with a recorder. The hooks are internal (never exported).
#include "lib_types.h"

#include <cstdarg>
#include <cstddef>
#include <cstdio>
#include <ctime>

extern "C" {

// Seconds and microseconds, as gos_gettimeofday fills them.
typedef struct gos_timeval_t
{
    int64 tv_sec;
    int64 tv_usec;
} gos_timeval_t;

// Entries that forward to the C runtime unchanged.
void *gos_malloc(std::size_t size);
void gos_free(void *block);
void *gos_memcpy(void *destination, const void *source, std::size_t count);
void *gos_memset(void *destination, int value, std::size_t count);
std::size_t gos_strlen(const char *text);
char *gos_strcat(char *destination, const char *source);
char *gos_strcpy(char *destination, const char *source);
char *gos_strncpy(char *destination, const char *source, std::size_t count);
int gos_strcmp(const char *a, const char *b);
int gos_strncmp(const char *a, const char *b, std::size_t count);
std::time_t gos_mktime(struct std::tm *local);
struct std::tm *gos_localtime(const std::time_t *when);
std::time_t gos_time(std::time_t *out);
int gos_remove(const char *path);
int gos_rename(const char *from, const char *to);
std::FILE *gos_fopen(const char *path, const char *mode);
std::size_t gos_fread(void *buffer, std::size_t size, std::size_t count, std::FILE *file);
std::size_t gos_fwrite(const void *buffer, std::size_t size, std::size_t count, std::FILE *file);
int gos_fseek(std::FILE *file, long offset, int origin);
int gos_fclose(std::FILE *file);
void gos_perror(const char *prefix);
long double gos_sinl(long double x);
long double gos_cosl(long double x);
double gos_sin(double x);
double gos_cos(double x);
int gos_atexit(void (*function)(void));

// Runs the command through the shell hook (system() unless a test replaced it). A
// negative result prints the system error for the command and the line
// "gos_system eorr::command name = <command>"; the result is passed on.
int gos_system(const char *command);

// Every wait of the library ends here, with the milliseconds its caller prescribes
// (0 gives up the time slice). The sleep hook, when set, receives them instead.
void gos_sleep_ms(uint32 milliseconds);
// Waits seconds x 1000 ms.
void gos_sleep(int seconds);
// Waits microseconds / 1000 ms, truncated toward zero: below 1000 us no wait.
void gos_usleep(int microseconds);

// Ends the process with exit status 0.
void gos_exit(void);

// Formats into buffer (which must be large enough) and terminates it; returns the
// character count.
int gos_sprintf(char *buffer, const char *format, ...) __attribute__((format(printf, 2, 3)));
// The library's one way to standard output: formats, flushes, returns the count.
int gos_printf(const char *format, ...) __attribute__((format(printf, 1, 2)));
// The same for an argument list already started.
int gos_vprintf(const char *format, std::va_list args) __attribute__((format(printf, 1, 0)));
// Formats at most size - 1 characters and terminates; returns the length the whole
// text would have (vsnprintf).
int gos_vsnprintf(char *buffer, std::size_t size, const char *format, std::va_list args)
    __attribute__((format(printf, 3, 0)));

// Decimal text to double: sign, digits, optional '.' and digits, optional 'E' with an
// optional sign and digits ("3E+2" 300, "3E-2" 0.03, "3E" 3, "1E5" 100000). Reads at
// most 127 characters; other characters count as digits worth their code minus '0'.
double gos_atof(const char *text);
// Reads digits of base 8, 10 or 16 from the start of text into *value (modulo 2^32)
// and returns how many it read (at most 255). A null text returns 0 and leaves
// *value; any other base stores 0 and returns 0.
int gos_strtoul(const char *text, int base, u32 *value);
// Decimal text of value in at most size characters, leading characters kept when
// cut; the NUL follows only when fewer than size characters were written. Returns
// the characters written.
int gos_itoa(int value, char *buffer, int size);
int gos_utoa(u32 value, char *buffer, int size);
// "%u" and "%lld" into buffer; return the character count.
int gos_u32_to_text(char *buffer, u32 value);
int gos_i64_to_text(char *buffer, long long value);
// Every character through toupper, in place.
void gos_strupper(char *text);
// Copies source without any c into destination when that copy has at most max
// characters (no terminator is written); otherwise destination stays as it was.
void gos_str_remove_char(const char *source, char *destination, int max, char c);

// Fills seconds and microseconds of the current time; returns 1.
int gos_gettimeofday(gos_timeval_t *now);
// Date order: 0 year-month-day (any unknown value too), 1 month-day-year,
// 2 day-month-year.
void gos_set_date_format(int selector);
int gos_get_date_format(void);
// The current local date ("%Y-%m-%d" and its orders), time ("%H:%M:%S"), or both
// separated by a blank. out takes up to 50 characters (100 for both).
void gos_get_date_text(char *out);
void gos_get_time_text(char *out);
void gos_get_datetime_text(char *out);
// The same texts for a given moment.
void gos_format_date_text(char *out, std::time_t when);
void gos_format_time_text(char *out, std::time_t when);

// Does not ask the system: size below 1 returns 0; otherwise returns 1 and leaves the
// buffer as the caller filled it, except that a text beginning with '/' is cut to "/".
int gos_getcwd(char *buffer, int size);

// Descriptor stubs kept from the original platform: nothing is opened or read.
int gos_open(const char *path, int flags, int mode);
int gos_read(int descriptor, void *buffer, int size);
int gos_close(int descriptor);
// A message-queue entry of the layer's other platforms; does nothing.
int gos_msgq_destroy(int queue);

long double gos_fabsl(long double x);
// Computed in double precision and widened; gos_sqrtl of a negative value is NaN.
long double gos_log10l(long double x);
long double gos_sqrtl(long double x);
// Computed in double precision and rounded to float.
float gos_powf(float base, float exponent);

// Test hooks. A null hook restores the default (std::this_thread::sleep_for,
// system()). The context is handed to the hook on every call.
typedef void (*gos_sleep_hook_t)(void *context, uint32 milliseconds);
typedef int (*gos_system_hook_t)(void *context, const char *command);
void gos_set_sleep_hook(gos_sleep_hook_t hook, void *context);
void gos_set_system_hook(gos_system_hook_t hook, void *context);

} // extern "C"
