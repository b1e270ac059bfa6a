#pragma once
#include "sim_journal.h"

#include <string>
#include <vector>

// The journal as the simulator program writes it, one entry a line:
//   KIND <tab> resource <tab> status <tab> size <tab> checksum (16 hex digits) <tab> text
// KIND is OPEN, CLOSE, WRITE, READ, TIMEOUT, CLEAR or PAUSE; the text has backslash,
// tab, CR and LF escaped as \\ \t \r \n and other bytes below 0x20 or from 0x7F as \xHH.

std::string sim_journal_line(const sim_journal_entry_t &entry);
// Parses one line (without its line feed); false for anything else.
bool sim_journal_parse_line(const std::string &line, sim_journal_entry_t &entry);
// Every complete line of the file, in order (a line still being written is left out).
std::vector<sim_journal_entry_t> sim_journal_read(const std::string &path);
