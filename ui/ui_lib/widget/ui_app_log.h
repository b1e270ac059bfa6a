#pragma once
#include <QString>
#include <QtGlobal>

class QMessageLogContext;

// The program's message handler: appends one line per message to the log file
// g_log_file_path, opening and closing it each time so the log is complete on disk even
// if the process dies right after.
void log_message_handler(QtMsgType type, const QMessageLogContext &context, const QString &message);

// The log line without its "\r\n": time, three blanks, "File:(file) Line:(line)", a blank,
// the message.
QString log_line(const QString &time_text, const char *file, int line, const QString &message);
