#pragma once
#include <QString>

// Per-user and installation paths, filled once at start-up before any window exists
// and unchanged afterwards. Empty until then.
extern QString g_config_dir;        // per-user configuration folder
extern QString g_local_dir;         // per-user local data folder (log, crash records)
extern QString g_app_dir;           // the program's folder
extern QString g_data_dir;          // default waveform folder
extern QString g_config_file_path;  // "ondrix_config.xml"
extern QString g_setting_file_path; // "Setting.ini"
extern QString g_log_file_path;     // "log.txt"
