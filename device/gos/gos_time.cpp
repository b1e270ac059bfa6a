#include "gos.h"

#include <cstring>

namespace {

int s_date_format = 0;

// strftime writes into a buffer of this size before the text is copied out.
constexpr std::size_t GOS_TIME_TEXT_SIZE = 50;

void gos_format_local(char *out, std::time_t when, const char *format)
{
    if (!out)
        return;
    char text[GOS_TIME_TEXT_SIZE] = {};
    std::tm local{};
    if (localtime_r(&when, &local))
        std::strftime(text, sizeof text, format, &local);
    std::strcpy(out, text);
}

} // namespace

extern "C" {

int gos_gettimeofday(gos_timeval_t *now)
{
    timespec ts{};
    if (now && clock_gettime(CLOCK_REALTIME, &ts) == 0) {
        now->tv_sec = ts.tv_sec;
        now->tv_usec = ts.tv_nsec / 1000;
    }
    return 1;
}

void gos_set_date_format(int selector) { s_date_format = selector; }

int gos_get_date_format(void) { return s_date_format; }

void gos_format_date_text(char *out, std::time_t when)
{
    const char *format = s_date_format == 1 ? "%m-%d-%Y" : s_date_format == 2 ? "%d-%m-%Y" : "%Y-%m-%d";
    gos_format_local(out, when, format);
}

void gos_format_time_text(char *out, std::time_t when)
{
    gos_format_local(out, when, "%H:%M:%S");
}

void gos_get_date_text(char *out) { gos_format_date_text(out, std::time(nullptr)); }

void gos_get_time_text(char *out) { gos_format_time_text(out, std::time(nullptr)); }

void gos_get_datetime_text(char *out)
{
    // One instant for both halves, so a call at midnight cannot mix two days.
    if (!out)
        return;
    std::time_t now = std::time(nullptr);
    gos_format_date_text(out, now);
    std::size_t len = std::strlen(out);
    out[len] = ' ';
    gos_format_time_text(out + len + 1, now);
}

} // extern "C"
