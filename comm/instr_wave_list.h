#pragma once
#include "lib_types.h"
#include "lib_wv_data.h"
#include "plat_visa.h"

#include <map>
#include <string>
#include <vector>

// Listing and reading back the waveforms a connected generator holds. Each exchange is
// one command, a fixed pause and one read into a buffer of fixed size. Results: 0 (the
// read-back: the byte count received) on success, -1 a failed read, -2 a buffer that
// could not be allocated (nothing written then), -21/-22 session 0.

// Built-in waves (memory name to wave name) and, for model classes 0 to 5, user waves
// (name to "user:" and the name).
int32 instr_get_all_wave_list(ViSession session, uint32 model, std::map<std::string, std::string> &list);
int32 instr_get_wave_list(ViSession session, uint32 model, std::map<std::string, std::string> &list);
int32 instr_get_user_wave_list(ViSession session, uint32 model, std::map<std::string, std::string> &list);

// The current arbitrary wave's parameters; a key the reply lacks leaves its output as it
// was, a value without a leading number fails the query (-1) and changes nothing.
int32 instr_read_wave_param(ViSession session, uint32 model, float &freq, float &amp, float &offset, float &phase);

// Reads the named wave into the record's sample file, which is replaced only by a
// complete, usable reply. Returns the bytes received.
int32 instr_read_wave(ViSession session, uint32 model, const char *name, lib_wv_data_t<short int> &data);

std::vector<std::string> instr_wave_param_keys();
std::map<std::string, std::string> instr_read_wave_param_map(const std::vector<std::string> &keys,
                                                             ViSession session);

ViStatus instr_open(const std::string &resource, ViSession &session);
ViStatus instr_close(ViSession session);
int32 instr_write(ViSession session, const std::string &command);
