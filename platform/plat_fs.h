#pragma once
#include <cstdint>
#include <string>

// The process's current working directory, of any length, without a trailing "/" (so
// the root folder gives an empty text). `readable` tells the root folder apart from a
// folder that cannot be read (removed, or no permission on the way), which also gives
// an empty text.
std::string plat_getcwd(bool *readable = nullptr);

// Sets the length of an open file to `bytes`: 0 on success, an errno value otherwise
// (the contract of the C runtime's _chsize_s).
int plat_chsize(int fd, std::uint64_t bytes);
