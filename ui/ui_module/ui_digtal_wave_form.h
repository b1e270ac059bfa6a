#pragma once
#include "cfg_wv_types.h"
#include "lib_types.h"
#include "lib_wv_data.h"
#include "ui_digital_wv_plot.h"

#include <QString>
#include <QWidget>

#include <vector>

class QAction;
class QMenu;
class cfg_if_wv_t;
class cfg_if_digwv_t;
class ui_spinbx_frame_t;
class ui_dspinbx_frame_t;
class Ui_ui_digtal_wave_form_t;

// The digital-waveform editor: a 16-channel pattern (bit i of a sample word is channel
// Di) shown page by page in a value table, with a 16-trace preview, quick pattern
// operations and a context menu. The sample file is the only store of the pattern.
class ui_digtal_wave_form_t : public QWidget
{
    Q_OBJECT
public:
    ui_digtal_wave_form_t(QWidget *parent, uint32 points, instr_zqw_t series, double frequency,
                          bool change_para, cfg_if_wv_t *existing);
    ~ui_digtal_wave_form_t() override;

    // The pattern object, now the caller's: the editor no longer releases or deletes it.
    cfg_if_wv_t *take_wave_object();
    cfg_if_digwv_t *get_digwv() const { return m_digwv; }
    bool is_handed_over() const { return m_handed_over; }

    static int get_channel_bit(int channel, uint16 word);
    static uint16 set_channel_bit(int channel, uint16 word, int bit);

    Ui_ui_digtal_wave_form_t *get_form() const { return m_ui; }
    ui_spinbx_frame_t *get_wave_length_frame() const { return m_wave_length_frame; }
    ui_spinbx_frame_t *get_index_frame() const { return m_index_frame; }
    ui_spinbx_frame_t *get_page_frame() const { return m_page_frame; }
    ui_dspinbx_frame_t *get_bit_rate_frame() const { return m_bit_rate_frame; }
    ui_digital_wv_plot_t *get_preview_plot() { return &m_preview_plot; }
    const std::vector<short int> &get_preview_samples() const { return m_preview_samples; }
    const QString &get_copy_text() const { return m_copy_text; }
    int32 get_channel() const { return m_channel; }
    int32 get_view_mode() const { return m_view_mode; }
    int32 get_page() const { return m_page; }
    QMenu *get_menu() const { return m_menu; }
    QMenu *get_copy_to_menu() const { return m_copy_to_menu; }
    // Sets the entries' enabled state as the context menu does before it opens.
    void update_menu_state();

signals:
    void btn_info_signal(ui_digtal_wave_form_t *type, int32 btn);
    void digital_wave_form_btn_signal(ui_digtal_wave_form_t *type, int32 btn, bool change_para_flag);
    void show_keyboard_input(int row, int column);

public slots:
    void btn_slot_func();
    void rdbtn_slot_func(bool checked);
    void spinb_pram_change_slot_func(double data);
    void spinb_pram_change_slot_func(int data);
    void digaital_wave_form_btn_slot_func(ui_digtal_wave_form_t *type, int32 btn);
    void point_table_slot_func(int row, int column);
    void point_table_select_change_slot_func();
    void ch_comb_slot_func(int index);
    void nor_menu_slot_func();
    void ch_copy_menu_slot_func();

protected:
    void closeEvent(QCloseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum view_t { VIEW_BIT, VIEW_WORD, VIEW_PACKED };

    // Window, object, settings (ui_digtal_wave_form.cpp).
    void copy_wave_object(cfg_if_wv_t *source);
    void init_frames();
    void init_combos();
    void set_object_names();
    void apply_channel();
    void update_preview();
    view_t view() const;
    uint32 sample_count() const;
    uint32 index_value() const;
    void set_frame_quietly(ui_spinbx_frame_t *frame, int value);
    void set_frame_max(ui_spinbx_frame_t *frame, uint32 value);

    // Value table (ui_digtal_wave_form_table.cpp).
    void init_point_table();
    void ensure_rows(int rows);
    void connect_table(bool on);
    void show_page(uint32 index);
    void fill_sample_page(uint32 index);
    void fill_packed_page(uint32 index);
    void show_index(uint32 index);
    void show_page_of_index(uint32 index);
    void show_page_start_index(uint32 page);
    void update_page_range();
    uint32 page_size() const;
    uint64 row_sample_index(int row) const;
    bool row_sample_range(int row, uint32 &start, uint32 &end) const;
    void refresh_sample_row(int row);
    void refresh_packed_row(int row);
    void edit_sample_cell(int row, int column);
    void edit_packed_cell(int row, int column);
    QString sample_text(uint16 word) const;
    uint16 packed_bits(const short int *words, uint32 n) const;
    void set_value_text(int row, const QString &text);
    void set_row(int row, const QString &position, const QString &value);

    // Pattern operations (ui_digtal_wave_form_ops.cpp).
    void init_menu();
    template <typename F>
    void bulk_pass(F transform, bool read_first);
    void zero_channel();
    void invert_channel();
    void set_default_clock();
    void copy_channel(int dest, int src);
    std::vector<int> selected_rows() const;
    int selected_count() const;
    void invert_selected();
    void copy_selected_text();
    void paste_selected();
    void copy_to_selected(int dest, int src);
    void insert_sample();
    void delete_selected();
    void after_length_change(uint32 count);

    Ui_ui_digtal_wave_form_t *m_ui;
    cfg_if_digwv_t *m_digwv;
    lib_wv_data_t<short int> *m_wv_data;
    ui_digital_wv_plot_t m_preview_plot;
    ui_spinbx_frame_t *m_wave_length_frame;
    ui_spinbx_frame_t *m_index_frame;
    ui_spinbx_frame_t *m_page_frame;
    ui_dspinbx_frame_t *m_bit_rate_frame;
    uint32 m_rows_per_page;
    int32 m_channel;
    int32 m_view_mode;
    int32 m_page;
    bool m_change_para;
    bool m_handed_over;
    std::vector<short int> m_preview_samples;
    QString m_copy_text;
    QMenu *m_menu;
    QMenu *m_copy_to_menu;
    QAction *m_act_invert;
    QAction *m_act_copy;
    QAction *m_act_paste;
    QAction *m_act_insert;
    QAction *m_act_delete;
    std::vector<QAction *> m_copy_to_acts;
};
