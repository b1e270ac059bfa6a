#pragma once
#include <cstdint>
#include <string>

// The process's current working directory, of any length, without a trailing "/".
// Empty when it cannot be read.
std::string plat_getcwd();

// Sets the length of an open file to `bytes`: 0 on success, an errno value otherwise
// (the contract of the C runtime's _chsize_s).
int plat_chsize(int fd, std::uint64_t bytes);
