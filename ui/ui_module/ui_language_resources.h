#pragma once

// Registers the compiled-in translation catalogues (":/languages/..."); the library is
// static, so nothing else would pull them into the program.
void ui_init_language_resources();

// Installs the program's catalogue for the language and, for Chinese, Qt's own for the
// widgets' standard texts (Undo and Redo, file dialogs, Yes/No/Cancel, OK/Cancel), and
// sets the language flag. False when a catalogue could not be loaded.
bool ui_install_language(bool chinese);
