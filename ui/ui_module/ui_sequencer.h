#pragma once
#include "lib_types.h"

#include <QWidget>

#include <vector>

class QAbstractButton;
class QAction;
class QMenu;
class QPushButton;
class ui_coustom_btn_t;
class ui_coustom_gpbx_t;
class ui_preview_plot_t;
class ui_table_widget_t;
class ui_wvform_repe_t;

// "Sequence Editor": the layout for arranging waveforms into a sequence. It keeps no
// sequence: only its structure, row selection, the repetitions dialog and its button
// codes (3 OK, 2 Cancel) work.
class ui_sequencer_t : public QWidget
{
    Q_OBJECT
public:
    ui_sequencer_t(QWidget *parent, Qt::WindowFlags flags = Qt::WindowFlags());
    ~ui_sequencer_t() override;

    bool eventFilter(QObject *watched, QEvent *event) override;

    ui_table_widget_t *get_wave_list() const { return m_wave_list; }
    ui_table_widget_t *get_seq_table() const { return m_seq_table; }
    QMenu *get_wave_menu() const { return m_wave_menu; }
    QMenu *get_seq_menu() const { return m_seq_menu; }
    QAction *get_edit_action() const { return m_act_edit; }
    ui_coustom_btn_t *get_ok_button() const { return m_btn_ok; }
    ui_coustom_btn_t *get_cancel_button() const { return m_btn_cancel; }
    std::vector<QAbstractButton *> get_icon_buttons() const;

signals:
    void btn_info_signal(ui_sequencer_t *type, int32 btn);
    void sequencer_form_btn_signal(ui_sequencer_t *type, int32 btn);

public slots:
    void btn_slot_func();
    void act_slot_func();
    void sequencer_form_btn_slot_func(ui_sequencer_t *type, int32 btn);
    void table_pressed_slot_func(int row, int column);
    void table_click_slot_func(int row, int column);
    void wvform_repe_btn_slot_func(ui_wvform_repe_t *type, int32 btn);

private:
    void build_wave_group();
    void build_seq_group();
    void build_preview_group();
    void build_layout();
    void build_menus();
    void open_repetitions();

    ui_coustom_gpbx_t *m_wave_gpbx;
    ui_coustom_gpbx_t *m_seq_gpbx;
    ui_coustom_gpbx_t *m_preview_gpbx;
    ui_coustom_btn_t *m_btn_ok;
    ui_coustom_btn_t *m_btn_cancel;
    ui_table_widget_t *m_wave_list;
    QPushButton *m_btn_import;
    QPushButton *m_btn_stdwv;
    QPushButton *m_btn_equation;
    QPushButton *m_btn_remove_wave;
    QMenu *m_wave_menu;
    QAction *m_act_add;
    QAction *m_act_remove_wave;
    ui_table_widget_t *m_seq_table;
    ui_coustom_btn_t *m_seq_btns[7];
    QMenu *m_seq_menu;
    QAction *m_act_edit;
    QAction *m_act_remove;
    QAction *m_act_up;
    QAction *m_act_down;
    ui_preview_plot_t *m_preview_plot;
};
