#pragma once
#include <QString>

// The settings file ("Setting.ini" in the per-user configuration folder) and the default
// waveform folder ("data" beside the program). Filled once by init_app_paths at
// start-up, before any window is built; nothing changes them afterwards.
extern QString setting_ini_path;
extern QString default_data_folder;

void init_app_paths();

// Installs the application style sheet from the resource ":/ondrix.qss"; a missing
// resource installs an empty style sheet.
void ui_install_style_sheet();

// Registers the compiled-in resources (style sheet, pictures). The toolkit is a static
// library, so its resource object is only linked in when something calls this.
void ui_init_resources();
