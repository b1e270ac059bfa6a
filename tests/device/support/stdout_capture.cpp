#include "stdout_capture.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

stdout_capture_t::stdout_capture_t()
{
    std::fflush(stdout);
    char name[] = "/tmp/ondrix_stdout_XXXXXX";
    _file = mkstemp(name);
    if (_file < 0)
        return;
    unlink(name);
    _saved = dup(STDOUT_FILENO);
    dup2(_file, STDOUT_FILENO);
}

stdout_capture_t::~stdout_capture_t()
{
    finish();
}

std::string stdout_capture_t::finish()
{
    std::string text;
    if (_saved < 0)
        return text;
    std::fflush(stdout);
    dup2(_saved, STDOUT_FILENO);
    close(_saved);
    _saved = -1;
    lseek(_file, 0, SEEK_SET);
    char buffer[4096];
    ssize_t got;
    while ((got = read(_file, buffer, sizeof buffer)) > 0)
        text.append(buffer, static_cast<std::size_t>(got));
    close(_file);
    _file = -1;
    return text;
}
