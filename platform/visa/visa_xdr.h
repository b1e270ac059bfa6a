#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// XDR encoding (big-endian 32-bit units, opaque data padded to a multiple of four) of
// the few types ONC RPC and VXI-11 use, and the RPC message headers. Bytes are kept in a
// std::string. A record sent over TCP starts with a record-marking word, reserved by
// visa_xdr_begin_record and filled in by visa_xdr_end_record.

void visa_xdr_put_u32(std::string &out, std::uint32_t value);
// The length, the bytes and the zero padding.
void visa_xdr_put_opaque(std::string &out, std::string_view bytes);
// Zero bytes that pad `length` bytes of opaque data to a multiple of four (0 to 3).
inline std::size_t visa_xdr_pad(std::uint64_t length) { return static_cast<std::size_t>((4 - length % 4) % 4); }

std::uint32_t visa_xdr_get_u32(const unsigned char *at);

// Reserves the record-marking word at the end of `out`.
void visa_xdr_begin_record(std::string &out);
// Writes the record-marking word reserved at `mark` for a record of one fragment whose
// body is the rest of `out` plus `extra` bytes sent after it.
void visa_xdr_end_record(std::string &out, std::size_t mark, std::uint64_t extra = 0);

// The body of a call without credentials (AUTH_NONE), up to its arguments.
void visa_xdr_put_call(std::string &out, std::uint32_t xid, std::uint32_t prog, std::uint32_t vers,
                       std::uint32_t proc);
// The body of an accepted reply up to its results (`accept_stat` VISA_RPC_SUCCESS) or
// its mismatch range (VISA_RPC_PROG_MISMATCH, followed by low and high).
void visa_xdr_put_reply(std::string &out, std::uint32_t xid, std::uint32_t accept_stat);
