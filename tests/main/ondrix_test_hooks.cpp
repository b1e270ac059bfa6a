// Linked only into the program the tests start: its prompts answer themselves as
// ONDRIX_PROMPT_AUTO_ANSWER says and its splash holds ONDRIX_SPLASH_MS milliseconds.
#include "main_hooks.h"
#include "prompt_env_answer.h"

#include <QtGlobal>

namespace {

const bool g_installed = [] {
    ui_prompt_t::set_answer_hook(prompt_env_answer_hook());
    bool ok = false;
    const qint64 ms = qEnvironmentVariable("ONDRIX_SPLASH_MS").toLongLong(&ok);
    if (ok && ms >= 0)
        g_splash_hold_ms = ms;
    return true;
}();

} // namespace
