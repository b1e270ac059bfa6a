#pragma once
// The copy baselines of the edit benchmarks: `cp` spawned directly (no shell) and the
// kernel's copy_file_range in this process, both to a new file, as an edit writes its
// new content to a new scratch file.
#include "lib_file_io.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

inline bool bench_spawn_cp(const std::string &from, const std::string &to)
{
    std::string cp = "cp", flag = "--reflink=never", a = from, b = to;
    char *argv[] = {&cp[0], &flag[0], &a[0], &b[0], nullptr};
    pid_t pid = 0;
    if (::posix_spawnp(&pid, "cp", nullptr, nullptr, argv, environ) != 0)
        return false;
    int status = 0;
    return ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

inline bool bench_copy_file_range(const std::string &from, const std::string &to)
{
    lib_fd_t in = lib_open_read(from);
    lib_fd_t out = lib_create_new(to);
    const std::int64_t len = lib_file_length(from);
    return in.ok() && out.ok() && len >= 0 &&
           lib_copy_bytes(in.get(), 0, out.get(), 0, std::uint64_t(len)) == std::uint64_t(len);
}

// Runs copy(from, to) per iteration, the destination removed before each (untimed).
template <typename F>
void bench_copy_loop(benchmark::State &state, const std::string &from, F copy)
{
    const std::string to = "bench_copy_destination.bin";
    for (auto _ : state) {
        state.PauseTiming();
        std::remove(to.c_str());
        state.ResumeTiming();
        if (!copy(from, to))
            state.SkipWithError("copy failed");
    }
    std::remove(to.c_str());
}
