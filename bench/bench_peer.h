#pragma once
// A peer process of a benchmark, spawned directly (no shell); `port` is what its ready
// line says. The destructor stops it.
#include <csignal>
#include <cstdio>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

class bench_peer_t
{
public:
    explicit bench_peer_t(std::vector<std::string> args)
    {
        int out[2];
        if (::pipe(out) != 0)
            return;
        std::vector<char *> argv;
        for (std::string &a : args)
            argv.push_back(&a[0]);
        argv.push_back(nullptr);
        m_pid = ::fork();
        if (m_pid == 0) {
            ::dup2(out[1], STDOUT_FILENO);
            ::close(out[0]);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        ::close(out[1]);
        std::FILE *f = ::fdopen(out[0], "r");
        char line[256];
        while (f && std::fgets(line, sizeof line, f))
            if (std::sscanf(line, "ready: portmapper port %d", &port) == 1 || std::sscanf(line, "ready: port %d", &port) == 1)
                break;
        if (f)
            std::fclose(f);
    }
    ~bench_peer_t()
    {
        if (m_pid > 0) {
            ::kill(m_pid, SIGTERM);
            ::waitpid(m_pid, nullptr, 0);
        }
    }
    bench_peer_t(const bench_peer_t &) = delete;
    bench_peer_t &operator=(const bench_peer_t &) = delete;

    int port = 0;

private:
    pid_t m_pid = -1;
};
