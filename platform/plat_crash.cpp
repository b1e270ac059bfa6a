#include "plat_crash.h"

#include <csignal>
#include <cstring>
#include <ctime>
#include <execinfo.h>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int k_signals[] = {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT};
char g_folder[4096];
long g_utc_offset = 0;
char g_alt_stack[64 * 1024];

void put_digits(char *at, long long value, int width)
{
    for (int i = width - 1; i >= 0; --i) {
        at[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
}

void write_str(int fd, const char *s)
{
    ssize_t r = ::write(fd, s, std::strlen(s));
    (void)r;
}

void write_hex(int fd, unsigned long long v)
{
    char buf[19] = "0x";
    for (int i = 0; i < 16; ++i)
        buf[2 + i] = "0123456789abcdef"[(v >> (60 - 4 * i)) & 0xF];
    buf[18] = '\0';
    write_str(fd, buf);
}

void write_dec(int fd, long v)
{
    char buf[24];
    int n = 0;
    bool neg = v < 0;
    unsigned long u = neg ? static_cast<unsigned long>(-v) : static_cast<unsigned long>(v);
    do {
        buf[n++] = static_cast<char>('0' + u % 10);
        u /= 10;
    } while (u);
    if (neg)
        buf[n++] = '-';
    char out[24];
    for (int i = 0; i < n; ++i)
        out[i] = buf[n - 1 - i];
    out[n] = '\0';
    write_str(fd, out);
}

void crash_handler(int sig, siginfo_t *info, void *)
{
    char name[32];
    plat_crash_file_name(static_cast<long long>(::time(nullptr)), g_utc_offset, name);
    char path[sizeof g_folder + 40];
    std::size_t len = std::strlen(g_folder);
    std::memcpy(path, g_folder, len);
    path[len] = '/';
    std::memcpy(path + len + 1, name, std::strlen(name) + 1);
    int fd = ::open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd >= 0) {
        write_str(fd, "Ondrix crash record\nsignal: ");
        write_dec(fd, sig);
        write_str(fd, "\nfault address: ");
        write_hex(fd, reinterpret_cast<unsigned long long>(info ? info->si_addr : nullptr));
        write_str(fd, "\nprocess: ");
        write_dec(fd, static_cast<long>(::getpid()));
        write_str(fd, "\nbacktrace:\n");
        void *frames[64];
        int n = ::backtrace(frames, 64);
        ::backtrace_symbols_fd(frames, n, fd);
        ::close(fd);
    }
    // Let the signal end the process the way it would have without us.
    struct sigaction dfl;
    std::memset(&dfl, 0, sizeof dfl);
    dfl.sa_handler = SIG_DFL;
    sigemptyset(&dfl.sa_mask);
    ::sigaction(sig, &dfl, nullptr);
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, sig);
    ::sigprocmask(SIG_UNBLOCK, &set, nullptr);
    ::raise(sig);
    ::_exit(128 + sig);
}

} // namespace

void plat_crash_file_name(long long epoch_seconds, long utc_offset, char out[32])
{
    long long t = epoch_seconds + utc_offset;
    long long days = t / 86400;
    long long secs = t % 86400;
    if (secs < 0) {
        secs += 86400;
        --days;
    }
    // Civil date from days since 1970-01-01.
    long long z = days + 719468;
    long long era = (z >= 0 ? z : z - 146096) / 146097;
    long long doe = z - era * 146097;
    long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    long long y = yoe + era * 400;
    long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    long long mp = (5 * doy + 2) / 153;
    long long d = doy - (153 * mp + 2) / 5 + 1;
    long long m = mp < 10 ? mp + 3 : mp - 9;
    if (m <= 2)
        ++y;
    char *p = out;
    put_digits(p, y, 4);
    p[4] = '_';
    put_digits(p + 5, m, 2);
    p[7] = '_';
    put_digits(p + 8, d, 2);
    p[10] = '_';
    put_digits(p + 11, secs / 3600, 2);
    p[13] = '_';
    put_digits(p + 14, secs / 60 % 60, 2);
    p[16] = '_';
    put_digits(p + 17, secs % 60, 2);
    std::memcpy(p + 19, ".dmp", 5);
}

bool plat_install_crash_handler(const std::string &folder)
{
    if (folder.size() >= sizeof g_folder)
        return false;
    std::memcpy(g_folder, folder.c_str(), folder.size() + 1);
    std::time_t now = std::time(nullptr);
    struct tm local;
    localtime_r(&now, &local);
    g_utc_offset = local.tm_gmtoff;
    // The first backtrace() loads the unwinder, which allocates: do it now, not in the handler.
    void *warm[2];
    ::backtrace(warm, 2);

    stack_t ss;
    std::memset(&ss, 0, sizeof ss);
    ss.ss_sp = g_alt_stack;
    ss.ss_size = sizeof g_alt_stack;
    if (::sigaltstack(&ss, nullptr) != 0)
        return false;
    struct sigaction sa;
    std::memset(&sa, 0, sizeof sa);
    sa.sa_sigaction = crash_handler;
    sa.sa_flags = SA_SIGINFO | SA_ONSTACK | SA_RESETHAND;
    sigemptyset(&sa.sa_mask);
    bool ok = true;
    for (int sig : k_signals)
        ok = ::sigaction(sig, &sa, nullptr) == 0 && ok;
    return ok;
}
