#pragma once
#include <QTabWidget>

// Tab widget beside the sequence editor's tables.
class ui_tabwidget_t : public QTabWidget
{
    Q_OBJECT
public:
    explicit ui_tabwidget_t(QWidget *parent = nullptr);
    ~ui_tabwidget_t() override;
};
