#include "gos.h"

#include <chrono>
#include <cmath>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace {

gos_sleep_hook_t s_sleep_hook = nullptr;
void *s_sleep_context = nullptr;
gos_system_hook_t s_system_hook = nullptr;
void *s_system_context = nullptr;

// Waits in whole milliseconds, clamped to what the millisecond wait can take.
uint32 gos_clamp_ms(long long milliseconds)
{
    if (milliseconds < 0)
        return 0;
    if (milliseconds > 0xFFFFFFFFLL)
        return 0xFFFFFFFFu;
    return static_cast<uint32>(milliseconds);
}

} // namespace

extern "C" {

void *gos_malloc(std::size_t size) { return std::malloc(size); }
void gos_free(void *block) { std::free(block); }
void *gos_memcpy(void *destination, const void *source, std::size_t count) { return std::memcpy(destination, source, count); }
void *gos_memset(void *destination, int value, std::size_t count) { return std::memset(destination, value, count); }
std::size_t gos_strlen(const char *text) { return std::strlen(text); }
char *gos_strcat(char *destination, const char *source) { return std::strcat(destination, source); }
char *gos_strcpy(char *destination, const char *source) { return std::strcpy(destination, source); }
char *gos_strncpy(char *destination, const char *source, std::size_t count) { return std::strncpy(destination, source, count); }
int gos_strcmp(const char *a, const char *b) { return std::strcmp(a, b); }
int gos_strncmp(const char *a, const char *b, std::size_t count) { return std::strncmp(a, b, count); }
std::time_t gos_mktime(struct std::tm *local) { return std::mktime(local); }
struct std::tm *gos_localtime(const std::time_t *when) { return std::localtime(when); }
std::time_t gos_time(std::time_t *out) { return std::time(out); }
int gos_remove(const char *path) { return std::remove(path); }
int gos_rename(const char *from, const char *to) { return std::rename(from, to); }
std::FILE *gos_fopen(const char *path, const char *mode) { return std::fopen(path, mode); }
std::size_t gos_fread(void *buffer, std::size_t size, std::size_t count, std::FILE *file) { return std::fread(buffer, size, count, file); }
std::size_t gos_fwrite(const void *buffer, std::size_t size, std::size_t count, std::FILE *file) { return std::fwrite(buffer, size, count, file); }
int gos_fseek(std::FILE *file, long offset, int origin) { return std::fseek(file, offset, origin); }
int gos_fclose(std::FILE *file) { return std::fclose(file); }
void gos_perror(const char *prefix) { std::perror(prefix); }
long double gos_sinl(long double x) { return sinl(x); }
long double gos_cosl(long double x) { return cosl(x); }
double gos_sin(double x) { return std::sin(x); }
double gos_cos(double x) { return std::cos(x); }
int gos_atexit(void (*function)(void)) { return std::atexit(function); }

int gos_system(const char *command)
{
    int result = s_system_hook ? s_system_hook(s_system_context, command) : std::system(command);
    if (result < 0) {
        gos_perror(command);
        gos_printf("gos_system eorr::command name = %s\n", command ? command : "");
    }
    return result;
}

void gos_sleep_ms(uint32 milliseconds)
{
    if (s_sleep_hook) {
        s_sleep_hook(s_sleep_context, milliseconds);
        return;
    }
    if (milliseconds == 0)
        std::this_thread::yield();
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void gos_sleep(int seconds)
{
    gos_sleep_ms(gos_clamp_ms(static_cast<long long>(seconds) * 1000));
}

void gos_usleep(int microseconds)
{
    gos_sleep_ms(gos_clamp_ms(microseconds / 1000));
}

void gos_exit(void) { std::exit(0); }

int gos_sprintf(char *buffer, const char *format, ...)
{
    va_list args;
    va_start(args, format);
    int count = std::vsprintf(buffer, format, args);
    va_end(args);
    return count;
}

int gos_printf(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    int count = gos_vprintf(format, args);
    va_end(args);
    return count;
}

int gos_vprintf(const char *format, std::va_list args)
{
    int count = std::vprintf(format, args);
    std::fflush(stdout);
    return count;
}

int gos_vsnprintf(char *buffer, std::size_t size, const char *format, std::va_list args)
{
    return std::vsnprintf(buffer, size, format, args);
}

int gos_getcwd(char *buffer, int size)
{
    if (size < 1)
        return 0;
    if (buffer && size >= 2 && buffer[0] == '/')
        buffer[1] = '\0';
    return 1;
}

int gos_open(const char *, int, int) { return 0; }
int gos_read(int, void *, int) { return 0; }
int gos_close(int) { return 0; }
int gos_msgq_destroy(int) { return 0; }

long double gos_fabsl(long double x) { return fabsl(x); }
long double gos_log10l(long double x) { return std::log10(static_cast<double>(x)); }
long double gos_sqrtl(long double x) { return std::sqrt(static_cast<double>(x)); }
float gos_powf(float base, float exponent)
{
    return static_cast<float>(std::pow(static_cast<double>(base), static_cast<double>(exponent)));
}

void gos_set_sleep_hook(gos_sleep_hook_t hook, void *context)
{
    s_sleep_hook = hook;
    s_sleep_context = hook ? context : nullptr;
}

void gos_set_system_hook(gos_system_hook_t hook, void *context)
{
    s_system_hook = hook;
    s_system_context = hook ? context : nullptr;
}

} // extern "C"
