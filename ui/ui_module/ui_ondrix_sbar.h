#pragma once
#include <QWidget>

class QLabel;
class QLineEdit;

// The main window's three status texts as one widget: current status, oscilloscopes and
// generators, and a spare fourth field, with separators between them. The main window
// builds its status bar itself; this widget is kept for callers that want the texts
// together.
class ui_ondrix_sbar_t : public QWidget
{
    Q_OBJECT
public:
    explicit ui_ondrix_sbar_t(QWidget *parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
    ~ui_ondrix_sbar_t() override;

    void update_cur_status(bool normal);
    void update_scope_status(int num);
    void update_arb_status(int num);

    QLineEdit *status_edit() const { return m_status_edit; }
    QLineEdit *scope_edit() const { return m_scope_edit; }
    QLineEdit *awg_edit() const { return m_awg_edit; }
    QLineEdit *spare_edit() const { return m_spare_edit; }

private:
    QLineEdit *m_status_edit;
    QLineEdit *m_scope_edit;
    QLineEdit *m_awg_edit;
    QLineEdit *m_spare_edit;
    QLabel *m_vlines[3];
};
