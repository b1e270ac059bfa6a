#pragma once
#include <functional>
#include <string>

// Diagnostics of the VISA layer. The layer sits below the program's log, so it hands
// each line to a hook the program installs; without one the line goes to stderr.
using visa_log_hook_t = std::function<void(const std::string &line)>;

// Installs the hook (an empty one goes back to stderr); returns the one it replaces.
visa_log_hook_t visa_set_log_hook(visa_log_hook_t hook);

// One diagnostic line, without a line end.
void visa_log(const std::string &line);
