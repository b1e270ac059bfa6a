// Pattern operations of the digital-waveform editor: whole-pattern passes of the "Quick
// setting" group and the context menu's row operations.
#include "ui_digtal_wave_form.h"

#include "cfg_if_digwv.h"
#include "ui_digtal_wave_form_form.h"
#include "ui_spinbx_frame.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTableWidget>

#include <algorithm>
#include <fstream>
#include <set>

namespace {

constexpr uint32 k_chunk = 5 * 1048576; // samples per pass step: a 10,485,760-byte buffer

} // namespace

void ui_digtal_wave_form_t::init_menu()
{
    m_menu = new QMenu(this);
    m_menu->setObjectName("mouse_r_menu");
    m_act_invert = m_menu->addAction(tr("Invert"));
    m_act_copy = m_menu->addAction(tr("Copy"));
    m_act_paste = m_menu->addAction(tr("Paste"));
    m_act_insert = m_menu->addAction(tr("Insert"));
    m_act_delete = m_menu->addAction(tr("Delete"));
    m_menu->addSeparator();
    m_copy_to_menu = new QMenu(tr("Copy to"), m_menu);
    m_copy_to_menu->setObjectName("mouse_r_menu");
    m_menu->addMenu(m_copy_to_menu);
    for (int i = 0; i < 16; ++i)
        m_copy_to_acts.push_back(m_copy_to_menu->addAction(tr("D%1").arg(i)));
    m_copy_to_acts.push_back(m_copy_to_menu->addAction(tr("All")));
    for (QAction *a : {m_act_invert, m_act_copy, m_act_paste, m_act_insert, m_act_delete})
        connect(a, SIGNAL(triggered()), this, SLOT(nor_menu_slot_func()));
    for (QAction *a : m_copy_to_acts)
        connect(a, SIGNAL(triggered()), this, SLOT(ch_copy_menu_slot_func()));
}

void ui_digtal_wave_form_t::update_menu_state()
{
    const bool word = view() == VIEW_WORD;
    const bool one = selected_count() == 1;
    m_act_invert->setEnabled(true);
    m_act_copy->setEnabled(one);
    m_act_paste->setEnabled(!m_copy_text.isEmpty());
    m_act_insert->setEnabled(word && one);
    m_act_delete->setEnabled(word);
    m_copy_to_menu->setEnabled(!word);
}

void ui_digtal_wave_form_t::contextMenuEvent(QContextMenuEvent *event)
{
    update_menu_state();
    m_menu->exec(event->globalPos());
}

template <typename F>
void ui_digtal_wave_form_t::bulk_pass(F transform, bool read_first)
{
    std::vector<short int> buffer(k_chunk);
    std::fstream file(m_wv_data->samples.get_path(), std::ios::in | std::ios::out | std::ios::binary);
    if (!file)
        return;
    uint64 remaining = m_wv_data->samples.size();
    uint64 position = 0;
    while (remaining != 0 && file) {
        const uint32 n = static_cast<uint32>(std::min<uint64>(remaining, k_chunk));
        const std::streamsize bytes = static_cast<std::streamsize>(n) * 2;
        if (read_first) {
            file.seekg(static_cast<std::streamoff>(position * 2));
            file.read(reinterpret_cast<char *>(buffer.data()), bytes);
            if (file.gcount() != bytes)
                return;
        }
        transform(buffer.data(), n, position);
        file.seekp(static_cast<std::streamoff>(position * 2));
        file.write(reinterpret_cast<const char *>(buffer.data()), bytes);
        position += n;
        remaining -= n;
    }
}

void ui_digtal_wave_form_t::zero_channel()
{
    const int c = m_channel;
    if (c == 16) {
        bulk_pass([](short int *w, uint32 n, uint64) { std::fill(w, w + n, short(0)); }, false);
        return;
    }
    bulk_pass([c](short int *w, uint32 n, uint64) {
        for (uint32 i = 0; i < n; ++i)
            w[i] = static_cast<short int>(set_channel_bit(c, static_cast<uint16>(w[i]), 0));
    }, true);
}

void ui_digtal_wave_form_t::invert_channel()
{
    const int c = m_channel;
    const uint16 mask = c == 16 ? uint16(0xFFFF) : uint16(1u << c);
    bulk_pass([mask](short int *w, uint32 n, uint64) {
        for (uint32 i = 0; i < n; ++i)
            w[i] = static_cast<short int>(static_cast<uint16>(w[i]) ^ mask);
    }, true);
}

void ui_digtal_wave_form_t::set_default_clock()
{
    const int c = m_channel;
    if (c == 16) {
        m_digwv->init_wv_data();
        return;
    }
    bulk_pass([c](short int *w, uint32 n, uint64 first) {
        for (uint32 i = 0; i < n; ++i)
            w[i] = static_cast<short int>(set_channel_bit(c, static_cast<uint16>(w[i]), ((first + i) & 1u) == 0));
    }, true);
}

void ui_digtal_wave_form_t::copy_channel(int dest, int src)
{
    if (dest == src)
        return;
    bulk_pass([dest, src](short int *w, uint32 n, uint64) {
        for (uint32 i = 0; i < n; ++i) {
            const uint16 word = static_cast<uint16>(w[i]);
            w[i] = static_cast<short int>(set_channel_bit(dest, word, get_channel_bit(src, word)));
        }
    }, true);
}

std::vector<int> ui_digtal_wave_form_t::selected_rows() const
{
    std::vector<int> rows;
    for (QTableWidgetItem *item : m_ui->tableWidget->selectedItems())
        rows.push_back(item->row());
    return rows;
}

int ui_digtal_wave_form_t::selected_count() const { return m_ui->tableWidget->selectedItems().size(); }

void ui_digtal_wave_form_t::nor_menu_slot_func()
{
    QObject *s = sender();
    if (s == m_act_invert) {
        invert_selected();
        const uint32 a = index_value();
        show_page(a);
        show_page_of_index(a);
    } else if (s == m_act_copy) {
        copy_selected_text();
    } else if (s == m_act_paste) {
        paste_selected();
    } else if (s == m_act_insert) {
        insert_sample();
    } else if (s == m_act_delete) {
        delete_selected();
    }
}

void ui_digtal_wave_form_t::ch_copy_menu_slot_func()
{
    QObject *s = sender();
    const auto it = std::find(m_copy_to_acts.begin(), m_copy_to_acts.end(), s);
    if (it == m_copy_to_acts.end())
        return;
    copy_to_selected(static_cast<int>(it - m_copy_to_acts.begin()), m_channel);
    show_page(index_value());
}

void ui_digtal_wave_form_t::invert_selected()
{
    const uint32 count = sample_count();
    for (int row : selected_rows()) {
        if (view() == VIEW_PACKED) {
            uint32 start = 0, end = 0;
            if (!row_sample_range(row, start, end))
                continue;
            for (uint32 i = start; i < end; ++i) {
                short int w = 0;
                m_wv_data->samples.at(i, &w);
                m_wv_data->samples.set(i, static_cast<short int>(static_cast<uint16>(w) ^ (1u << m_channel)));
            }
            continue;
        }
        const uint64 s = row_sample_index(row);
        if (s >= count)
            continue;
        short int w = 0;
        m_wv_data->samples.at(static_cast<uint32>(s), &w);
        const uint16 mask = view() == VIEW_WORD ? uint16(0xFFFF) : uint16(1u << m_channel);
        m_wv_data->samples.set(static_cast<uint32>(s), static_cast<short int>(static_cast<uint16>(w) ^ mask));
    }
}

void ui_digtal_wave_form_t::copy_selected_text()
{
    const std::vector<int> rows = selected_rows();
    if (rows.size() != 1)
        return;
    QTableWidgetItem *item = m_ui->tableWidget->item(rows[0], 1);
    if (item && !m_ui->tableWidget->isRowHidden(rows[0]))
        m_copy_text = item->text();
}

void ui_digtal_wave_form_t::paste_selected()
{
    if (m_copy_text.isEmpty())
        return;
    // Each new text is reported as a cell change and stored like a typed value.
    for (QTableWidgetItem *item : m_ui->tableWidget->selectedItems())
        item->setText(m_copy_text);
}

void ui_digtal_wave_form_t::copy_to_selected(int dest, int src)
{
    if (src == 16)
        return;
    const uint32 count = sample_count();
    auto copy_one = [&](uint32 i) {
        short int w = 0;
        m_wv_data->samples.at(i, &w);
        const uint16 word = static_cast<uint16>(w);
        m_wv_data->samples.set(i, static_cast<short int>(set_channel_bit(dest, word, get_channel_bit(src, word))));
    };
    for (int row : selected_rows()) {
        if (view() == VIEW_PACKED) {
            uint32 start = 0, end = 0;
            if (row_sample_range(row, start, end))
                for (uint32 i = start; i < end; ++i)
                    copy_one(i);
            continue;
        }
        const uint64 s = row_sample_index(row);
        if (s < count)
            copy_one(static_cast<uint32>(s));
    }
}

void ui_digtal_wave_form_t::insert_sample()
{
    const std::vector<int> rows = selected_rows();
    if (rows.size() != 1)
        return;
    const uint64 e = row_sample_index(rows[0]);
    if (e >= sample_count())
        return;
    lib_wv_data_t<short int> zero;
    zero.amp = 2.0f;
    zero.offset = 0.0f;
    zero.freq = 1000.0;
    zero.samples.init();
    zero.resize(1, 0);
    m_wv_data->replace_range(static_cast<uint32>(e), static_cast<uint32>(e), zero);
    const uint32 count = m_wv_data->samples.size();
    set_frame_quietly(m_wave_length_frame, static_cast<int>(std::min<uint32>(count, 2147483647u)));
    m_digwv->set_wv_len(count);
    set_frame_max(m_index_frame, count);
    update_page_range();
    show_page(static_cast<uint32>(e + 1));
}

void ui_digtal_wave_form_t::delete_selected()
{
    const uint32 before = sample_count();
    std::set<uint32> unique;
    for (int row : selected_rows()) {
        const uint64 s = row_sample_index(row);
        if (s < before)
            unique.insert(static_cast<uint32>(s));
    }
    // An empty pattern has no page to show: the last sample stays.
    if (unique.size() >= before)
        return;
    std::vector<uint32> indices(unique.begin(), unique.end());
    m_wv_data->erase_points(indices);
    const uint32 count = m_wv_data->samples.size();
    set_frame_quietly(m_wave_length_frame, static_cast<int>(std::min<uint32>(count, 2147483647u)));
    m_digwv->set_wv_len(count);
    const uint32 a = index_value();
    set_frame_max(m_index_frame, count);
    show_index(a);
    update_page_range();
    show_page(a);
    show_page_of_index(a);
}
