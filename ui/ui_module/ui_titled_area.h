#pragma once
#include <QString>

class QLabel;
class QWidget;

// Builds the look shared by the control panel's titled areas on `owner`: a fixed size,
// a title label ("title") over an area ("area") six times its height.
void ui_build_titled_area(QWidget *owner, const QString &title, int width, int height, QLabel *&title_label,
                          QWidget *&area);
