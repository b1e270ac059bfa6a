#pragma once
// stdout_capture_t: captures what the process writes to standard output (file
// descriptor 1, so C stdio and direct writes alike) from construction until finish().
#include <string>

class stdout_capture_t
{
public:
    stdout_capture_t();
    ~stdout_capture_t();
    stdout_capture_t(const stdout_capture_t &) = delete;
    stdout_capture_t &operator=(const stdout_capture_t &) = delete;

    // Restores standard output and returns what was written meanwhile.
    std::string finish();

private:
    int _saved = -1;
    int _file = -1;
};
