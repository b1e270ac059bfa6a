#include "ui_url_opener.h"

#include <QDesktopServices>

namespace {

ui_url_opener_t &opener()
{
    static ui_url_opener_t fn;
    return fn;
}

QString &website()
{
    static QString address = "https://ondrix.example.org/";
    return address;
}

} // namespace

void ui_set_url_opener(const ui_url_opener_t &fn) { opener() = fn; }

bool ui_open_url(const QUrl &url)
{
    if (opener())
        return opener()(url);
    return QDesktopServices::openUrl(url);
}

QString ui_website_address() { return website(); }

void ui_set_website_address(const QString &address) { website() = address; }
