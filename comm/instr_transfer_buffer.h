#pragma once
#include <cstddef>
#include <memory>

// The one big buffer of the instrument transfers (download commands, read-back and trace
// replies), kept between transfers: tens of MB of fresh memory per transfer cost more in
// page faults than moving the bytes. It grows to the largest request (at most one reply
// of 41,943,142 bytes) and no further; the old one is freed before a bigger one is taken.
// Requests under 1 MiB get fresh memory in `fresh` instead. GUI thread only; no two
// transfers use it at once. Null when there is no memory.
char *instr_transfer_buffer(std::size_t bytes, std::unique_ptr<char[]> &fresh);
