#pragma once
#include "lib_types.h"
#include "lib_wv_data.h"
#include "lib_wv_scratch.h"

#include <atomic>
#include <string>

// Writes a whole new content for a sample record's file. The samples go to the store's
// scratch file and replace the old file only in commit(), so a failed write (full disk)
// leaves the previous samples in place. Reading the record's own file while writing is
// safe for the same reason.
class cfg_wv_sample_sink_t
{
public:
    // announce: print "clear file" and the path, as emptying a record does.
    cfg_wv_sample_sink_t(const lib_wv_data_t<short int> &target, bool announce);
    ~cfg_wv_sample_sink_t();
    cfg_wv_sample_sink_t(const cfg_wv_sample_sink_t &) = delete;
    cfg_wv_sample_sink_t &operator=(const cfg_wv_sample_sink_t &) = delete;

    // Starts from the target's current samples instead of an empty file.
    bool keep_existing();
    bool append(const short int *samples, uint64 count);
    // Appends count samples made of pattern[0, period) repeated, starting at
    // pattern[start] (the last repeat cut short), without building the repeats in memory.
    bool append_repeated(const short int *pattern, uint64 period, uint64 count, uint64 start = 0);
    // Writes count samples at sample position `at`, in any order and from any thread
    // (not mixed with the appends above); set_length then names the content's length.
    bool write_at(uint64 at, const short int *samples, uint64 count);
    void set_length(uint64 samples) { m_bytes = samples * 2; }
    bool ok() const { return m_ok; }
    uint64 written() const { return m_bytes / 2; }
    // Puts the new content in place; false (with a line on standard error) when any
    // step failed, the old file then unchanged.
    bool commit();

private:
    std::string m_store;
    lib_wv_scratch_t m_scratch;
    std::atomic<bool> m_ok;
    uint64 m_bytes;
};
