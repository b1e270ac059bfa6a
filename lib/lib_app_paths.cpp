#include "lib_app_paths.h"

QString g_config_dir;
QString g_local_dir;
QString g_app_dir;
QString g_data_dir;
QString g_config_file_path;
QString g_setting_file_path;
QString g_log_file_path;
