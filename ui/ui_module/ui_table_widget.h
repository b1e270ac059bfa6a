#pragma once
#include <QString>
#include <QTableWidget>

// Table of the sequence editor.
class ui_table_widget_t : public QTableWidget
{
    Q_OBJECT
public:
    explicit ui_table_widget_t(QWidget *parent = nullptr);
    ui_table_widget_t(int rows, int columns, QWidget *parent = nullptr);
    ~ui_table_widget_t() override;

    // Puts a new item with the text at (row, column) that cannot be edited.
    void set_read_only_item(int row, int column, const QString &text);
};
