#pragma once
#include "lib_app_paths.h"

#include <QString>

// The settings file ("Setting.ini" in the per-user configuration folder) and the default
// waveform folder ("Ondrix" in the user's documents): the same strings as
// g_setting_file_path and g_data_dir, under the names the toolkit uses.
extern QString &setting_ini_path;
extern QString &default_data_folder;

// Computes and creates the per-user folders ("Brantex" inserted above the program's own
// folder), fills the path strings and writes the default configuration file when there
// is none. Called once at start-up, before any window.
void init_app_paths();

// A configuration file that cannot be parsed (empty, cut short, garbage) is kept beside
// it as "<name>.bad" and replaced by the default one; the log says so. Called once the
// log handler is installed.
void repair_config_file();

// Installs the application style sheet from the resource ":/ondrix.qss"; a missing
// resource installs an empty style sheet.
void ui_install_style_sheet();

// Registers the compiled-in resources (style sheet, pictures). The toolkit is a static
// library, so its resource object is only linked in when something calls this.
void ui_init_resources();
