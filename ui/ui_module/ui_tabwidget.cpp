#include "ui_tabwidget.h"

ui_tabwidget_t::ui_tabwidget_t(QWidget *parent) : QTabWidget(parent) {}

ui_tabwidget_t::~ui_tabwidget_t() = default;
