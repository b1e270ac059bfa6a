#pragma once
#include "plat_visa.h"

#include <cstdint>

// Numbers of the ONC RPC protocol (version 2), its portmapper and the VXI-11 programs,
// shared by the client backend and the simulated instruments that serve it.

constexpr std::uint32_t VISA_RPC_VERSION = 2;
constexpr std::uint32_t VISA_RPC_CALL = 0;
constexpr std::uint32_t VISA_RPC_REPLY = 1;
constexpr std::uint32_t VISA_RPC_MSG_ACCEPTED = 0;
constexpr std::uint32_t VISA_RPC_MSG_DENIED = 1;
// accept_stat of an accepted reply.
constexpr std::uint32_t VISA_RPC_SUCCESS = 0;
constexpr std::uint32_t VISA_RPC_PROG_UNAVAIL = 1;
constexpr std::uint32_t VISA_RPC_PROG_MISMATCH = 2;
constexpr std::uint32_t VISA_RPC_PROC_UNAVAIL = 3;
constexpr std::uint32_t VISA_RPC_GARBAGE_ARGS = 4;
constexpr std::uint32_t VISA_RPC_SYSTEM_ERR = 5;
// reject_stat of a denied reply.
constexpr std::uint32_t VISA_RPC_MISMATCH = 0;
// The longest verifier body a reply may carry.
constexpr std::uint32_t VISA_RPC_MAX_AUTH_BYTES = 400;
// The last-fragment bit of a record-marking header; the low 31 bits are the length.
constexpr std::uint32_t VISA_RPC_LAST_FRAGMENT = 0x80000000u;

constexpr std::uint32_t VISA_PMAP_PROG = 100000;
constexpr std::uint32_t VISA_PMAP_VERS = 2;
constexpr std::uint32_t VISA_PMAP_NULL = 0;
constexpr std::uint32_t VISA_PMAP_GETPORT = 3;
constexpr std::uint32_t VISA_IPPROTO_TCP = 6;
constexpr std::uint16_t VISA_PMAP_DEFAULT_PORT = 111;

constexpr std::uint32_t VISA_VXI11_CORE_PROG = 0x0607AF;
constexpr std::uint32_t VISA_VXI11_ASYNC_PROG = 0x0607B0;
constexpr std::uint32_t VISA_VXI11_VERS = 1;

enum visa_vxi11_proc_t : std::uint32_t {
    VXI11_NULL = 0,
    VXI11_DEVICE_ABORT = 1, // on the abort channel
    VXI11_CREATE_LINK = 10,
    VXI11_DEVICE_WRITE = 11,
    VXI11_DEVICE_READ = 12,
    VXI11_DEVICE_READSTB = 13,
    VXI11_DEVICE_TRIGGER = 14,
    VXI11_DEVICE_CLEAR = 15,
    VXI11_DEVICE_REMOTE = 16,
    VXI11_DEVICE_LOCAL = 17,
    VXI11_DEVICE_LOCK = 18,
    VXI11_DEVICE_UNLOCK = 19,
    VXI11_DEVICE_ENABLE_SRQ = 20,
    VXI11_DEVICE_DOCMD = 22,
    VXI11_DESTROY_LINK = 23,
    VXI11_CREATE_INTR_CHAN = 25,
    VXI11_DESTROY_INTR_CHAN = 26,
};

// Operation flags and the reasons a read ended.
constexpr std::uint32_t VXI11_FLAG_WAITLOCK = 0x01;
constexpr std::uint32_t VXI11_FLAG_END = 0x08;
constexpr std::uint32_t VXI11_FLAG_TERMCHRSET = 0x80;
constexpr std::uint32_t VXI11_REASON_REQCNT = 0x01;
constexpr std::uint32_t VXI11_REASON_CHR = 0x02;
constexpr std::uint32_t VXI11_REASON_END = 0x04;

enum visa_vxi11_error_t : std::uint32_t {
    VXI11_OK = 0,
    VXI11_SYNTAX_ERROR = 1,
    VXI11_DEVICE_NOT_ACCESSIBLE = 3,
    VXI11_INVALID_LINK = 4,
    VXI11_PARAMETER_ERROR = 5,
    VXI11_CHANNEL_NOT_ESTABLISHED = 6,
    VXI11_OPERATION_NOT_SUPPORTED = 8,
    VXI11_OUT_OF_RESOURCES = 9,
    VXI11_DEVICE_LOCKED = 11,
    VXI11_NO_LOCK_HELD = 12,
    VXI11_IO_TIMEOUT = 15,
    VXI11_IO_ERROR = 17,
    VXI11_INVALID_ADDRESS = 21,
    VXI11_ABORT = 23,
    VXI11_CHANNEL_ALREADY_ESTABLISHED = 29,
};

// The VISA status a VXI-11 error stands for (VI_SUCCESS for no error).
inline ViStatus visa_vxi11_status(std::uint32_t error)
{
    switch (error) {
    case VXI11_OK:
        return VI_SUCCESS;
    case VXI11_IO_TIMEOUT:
        return VI_ERROR_TMO;
    case VXI11_DEVICE_LOCKED:
        return VI_ERROR_RSRC_BUSY;
    case VXI11_DEVICE_NOT_ACCESSIBLE:
    case VXI11_INVALID_ADDRESS:
        return VI_ERROR_RSRC_NFOUND;
    case VXI11_INVALID_LINK:
    case VXI11_CHANNEL_NOT_ESTABLISHED:
        return VI_ERROR_CONN_LOST;
    default:
        return VI_ERROR_IO;
    }
}
