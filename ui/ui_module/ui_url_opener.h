#pragma once
#include <QString>
#include <QUrl>
#include <functional>

// Opens help files and web pages with the desktop's programs. Tests put their own
// opener in place; an empty one restores the desktop's.
typedef std::function<bool(const QUrl &url)> ui_url_opener_t;
void ui_set_url_opener(const ui_url_opener_t &opener);
bool ui_open_url(const QUrl &url);

// The address the Help menu's "Website" opens; a placeholder until the product has one.
QString ui_website_address();
void ui_set_website_address(const QString &address);
