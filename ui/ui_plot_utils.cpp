#include "ui_plot_utils.h"

#include "ui_app_paths.h"

#include <QByteArray>
#include <QDir>
#include <QRegExp>
#include <QSettings>
#include <cmath>

double plot_get_display_index(QwtPlot *, uint32 total, double index)
{
    if (!(index > 0)) // negative or NaN
        return 0.0;
    const double x = std::min(index, double(total));
    if (total <= UI_PLOT_EXTRACT_ABOVE)
        return std::trunc(x);
    // inverse of the in-memory window layout: h windows of d + 1, then 3000 - rem of d,
    // then rem - h of d + 1
    const uint32 M = UI_PLOT_DISPLAY_POINTS;
    const double d = total / M;
    const double rem = total % M;
    const double h = std::floor(rem / 2);
    const double e = (d + 1) * h;
    const double g = e + d * (M - rem);
    double pos;
    if (x <= e)
        pos = x / (d + 1);
    else if (x <= g)
        pos = h + (x - e) / d;
    else
        pos = M - (total - x) / (d + 1);
    return std::trunc(pos);
}

bool plot_is_extracted(uint32 count)
{
    return count > UI_PLOT_EXTRACT_ABOVE;
}

uint32 plot_shown_points(uint32 count)
{
    return plot_is_extracted(count) ? UI_PLOT_DISPLAY_POINTS : count;
}

QString format_time_label(uint32 index, const fp32 *freq, const int32 *points)
{
    if (!freq || !points || *points < 2 || *freq == 0.0f)
        return QString("0");
    const double t = double(index) / (double(uint32(*points - 1)) * double(*freq));
    struct unit_t
    {
        double scale;
        const char *name;
    };
    static const unit_t units[] = {{1.0, "s"}, {1e3, "ms"}, {1e6, "us"}};
    for (const unit_t &u : units) {
        const double v = t * u.scale;
        if (std::fabs(v - 1.0) < 1e-6 || v > 1.0)
            return QString::number(v, 'f', 2) + u.name;
    }
    const double ns = t * 1e9;
    if (ns == 0.0)
        return QString::number(0);
    return QString::number(ns, 'f', 2) + "ns";
}

bool has_chinese_chars(const QString &text)
{
    QRegExp rx("[\\x4e00-\\x9fa5]+", Qt::CaseSensitive, QRegExp::RegExp);
    return text.indexOf(rx) >= 0;
}

void set_last_file_path(const QString &path)
{
    QByteArray bytes = path.toUtf8();
    const int dot = bytes.lastIndexOf('.');
    const int slash = bytes.lastIndexOf('/');
    // a "." among the last five bytes starts an extension: keep only the folder
    if (dot >= 0 && bytes.size() - dot <= 5 && slash >= 0)
        bytes = bytes.left(slash);
    QSettings settings(setting_ini_path, QSettings::IniFormat);
    settings.setValue("LastFilePath", QString::fromUtf8(bytes));
}

QString get_last_file_path()
{
    QSettings settings(setting_ini_path, QSettings::IniFormat);
    QString stored = settings.value("LastFilePath").toString();
    // QDir().exists(name) holds for files too; QDir(name).exists() would not
    if (!stored.isEmpty() && QDir().exists(stored))
        return stored;
    // The default folder is made when it is first needed, not at every start.
    if (!default_data_folder.isEmpty())
        QDir().mkpath(default_data_folder);
    return default_data_folder;
}
