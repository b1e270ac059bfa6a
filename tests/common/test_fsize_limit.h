#pragma once
#include <csignal>
#include <sys/resource.h>

// Plays a full disk: while it lives, no file of this process can grow past `bytes`; a
// write beyond fails with EFBIG instead of raising SIGXFSZ. Root ignores file modes, so
// this is how a test run as root makes a write run out of room halfway.
class test_fsize_limit_t
{
public:
    explicit test_fsize_limit_t(rlim_t bytes)
    {
        m_old_handler = std::signal(SIGXFSZ, SIG_IGN);
        m_ok = getrlimit(RLIMIT_FSIZE, &m_old) == 0;
        rlimit small = m_old;
        small.rlim_cur = bytes;
        m_ok = m_ok && setrlimit(RLIMIT_FSIZE, &small) == 0;
    }
    ~test_fsize_limit_t()
    {
        if (m_ok)
            setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_old_handler);
    }
    test_fsize_limit_t(const test_fsize_limit_t &) = delete;
    test_fsize_limit_t &operator=(const test_fsize_limit_t &) = delete;

    bool ok() const { return m_ok; }

private:
    rlimit m_old{};
    void (*m_old_handler)(int) = SIG_DFL;
    bool m_ok = false;
};
