#include "ui_app_log.h"

#include "lib_app_paths.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QMutex>
#include <QTextStream>
#include <cstdio>

QString log_line(const QString &time_text, const char *file, int line, const QString &message)
{
    QString where = QString("File:(%1) Line:(%2)").arg(QString::fromUtf8(file ? file : "")).arg(line);
    return QString("%1 %2 %3").arg(time_text, where, message);
}

void log_message_handler(QtMsgType, const QMessageLogContext &context, const QString &message)
{
    // A message raised while this thread writes the log (by Qt's file code, say) must not
    // wait for the lock it holds itself.
    thread_local bool in_handler = false;
    if (in_handler) {
        QByteArray bytes = message.toUtf8();
        std::fprintf(stderr, "%s\n", bytes.constData());
        return;
    }
    in_handler = true;
    static QMutex mutex;
    {
        QMutexLocker lock(&mutex);
        QString time_text = QDateTime::currentDateTime().toString("yyyy-MM-dd hh:mm:ss") + "  ";
        QString text = log_line(time_text, context.file, context.line, message);
        if (!QDir(g_local_dir).exists())
            QDir().mkpath(g_local_dir);
        QFile file(g_log_file_path);
        if (file.open(QIODevice::WriteOnly | QIODevice::Append)) {
            QTextStream out(&file);
            out.setCodec("UTF-8");
            out << text << "\r\n";
            out.flush();
            file.close();
        }
    }
    in_handler = false;
}
