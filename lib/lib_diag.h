#pragma once
#include <string>

// Plain diagnostic lines of the waveform model. Each call writes its text and flushes,
// so lines stay whole and in order when a process dies.
void lib_diag_out(const std::string &text); // standard output, text as given
void lib_diag_line(const std::string &text); // standard output, text and a line end
void lib_diag_err(const std::string &text);  // standard error, text as given

// Prints the message, flushes and ends the process with a failure status.
[[noreturn]] void lib_fatal_message(const std::string &text);
