#pragma once

// Registers the compiled-in translation catalogues (":/languages/..."); the library is
// static, so nothing else would pull them into the program.
void ui_init_language_resources();
