#pragma once
#include <string>

// Crash records: on SIGSEGV, SIGBUS, SIGILL, SIGFPE or SIGABRT a handler running on its
// own stack writes "<folder>/yyyy_MM_dd_hh_mm_ss.dmp" (local time of the crash) with
// the signal, the fault address and a backtrace, then lets the signal end the process.
// Everything the handler needs is prepared here, so it only makes async-signal-safe
// calls. Returns false when the handlers could not be installed.
bool plat_install_crash_handler(const std::string &folder);

// The record's file name for a moment given as seconds since the epoch and the local
// time's offset from UTC in seconds: "yyyy_MM_dd_hh_mm_ss.dmp". Signal-safe.
void plat_crash_file_name(long long epoch_seconds, long utc_offset, char out[32]);
