#pragma once
#include "ui_prompt.h"

// A prompt answer hook for programs started by tests: it answers each box with the
// button that ONDRIX_PROMPT_AUTO_ANSWER names ("yes", "no", "ok", "cancel"), or with its
// escape button when the box lacks it or the name is another ("escape"). Without the
// variable the box is shown as usual.
ui_prompt_answer_hook_t prompt_env_answer_hook();
