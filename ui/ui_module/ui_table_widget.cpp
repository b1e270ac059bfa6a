#include "ui_table_widget.h"

ui_table_widget_t::ui_table_widget_t(QWidget *parent) : QTableWidget(parent) {}

ui_table_widget_t::ui_table_widget_t(int rows, int columns, QWidget *parent) : QTableWidget(rows, columns, parent) {}

ui_table_widget_t::~ui_table_widget_t() = default;

void ui_table_widget_t::set_read_only_item(int row, int column, const QString &text)
{
    QTableWidgetItem *item = new QTableWidgetItem(text);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    setItem(row, column, item);
}
