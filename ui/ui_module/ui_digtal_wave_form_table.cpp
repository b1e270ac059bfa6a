// The value table of the digital-waveform editor: pages of 20 samples (bit and word
// views) or of 320 samples packed 16 to a row, read from and edited into the sample file.
#include "ui_digtal_wave_form.h"

#include "cfg_if_digwv.h"
#include "ui_digtal_wave_form_form.h"
#include "ui_spinb.h"
#include "ui_spinbx_frame.h"

#include <QHeaderView>
#include <QTableWidget>

#include <algorithm>
#include <cmath>

namespace {

constexpr uint32 k_packed_page = 320;

uint32 ceil_div(uint64 a, uint64 b) { return b == 0 ? 0u : static_cast<uint32>((a + b - 1) / b); }

// Hexadecimal text with an optional "0x", as a signed 32-bit number.
bool parse_hex(QString text, int &out)
{
    if (text.startsWith("0x") || text.startsWith("0X"))
        text = text.mid(2);
    bool ok = false;
    out = text.toInt(&ok, 16);
    return ok;
}

QString hex_text(uint16 v) { return "0x" + QString::number(v, 16).toUpper(); }

} // namespace

uint32 ui_digtal_wave_form_t::page_size() const
{
    return view() == VIEW_PACKED ? k_packed_page : m_rows_per_page;
}

void ui_digtal_wave_form_t::connect_table(bool on)
{
    QTableWidget *t = m_ui->tableWidget;
    if (on) {
        connect(t, SIGNAL(itemSelectionChanged()), this, SLOT(point_table_select_change_slot_func()),
                Qt::UniqueConnection);
        connect(t, SIGNAL(cellChanged(int, int)), this, SLOT(point_table_slot_func(int, int)), Qt::UniqueConnection);
    } else {
        disconnect(t, SIGNAL(itemSelectionChanged()), this, SLOT(point_table_select_change_slot_func()));
        disconnect(t, SIGNAL(cellChanged(int, int)), this, SLOT(point_table_slot_func(int, int)));
    }
}

// A pattern that opened short and grew still gets a row for every sample of its page.
void ui_digtal_wave_form_t::ensure_rows(int rows)
{
    if (m_ui->tableWidget->rowCount() < rows)
        m_ui->tableWidget->setRowCount(rows);
}

void ui_digtal_wave_form_t::init_point_table()
{
    QTableWidget *t = m_ui->tableWidget;
    t->setHorizontalHeaderLabels({tr("Positions"), tr("Value")});
    t->verticalHeader()->setVisible(false);
    t->horizontalHeader()->setStyleSheet("color: rgb(0, 0, 0)");
    t->setColumnCount(2);
    t->setColumnWidth(0, static_cast<int>(std::lround(t->width() * 0.43)));
    t->setColumnWidth(1, static_cast<int>(std::lround(t->width() * 0.47)));
    t->setSelectionMode(QAbstractItemView::ExtendedSelection);

    const uint32 count = sample_count();
    const uint32 m = std::min<uint32>(20, count);
    t->setRowCount(static_cast<int>(m));
    m_preview_samples.assign(m, 0);
    if (m > 0)
        m_wv_data->samples.read(0, m_preview_samples.data(), m);
    for (uint32 r = 0; r < m; ++r)
        set_row(static_cast<int>(r), QString::number(r + 1), sample_text(static_cast<uint16>(m_preview_samples[r])));

    m_index_frame->set_min_value(1);
    m_index_frame->set_max_value(count);
    set_frame_quietly(m_index_frame, 1);
    m_page_frame->set_min_value(1);
    m_page_frame->set_max_value(std::max<uint32>(1, ceil_div(count, m)));
    set_frame_quietly(m_page_frame, 1);
    connect_table(true);
}

QString ui_digtal_wave_form_t::sample_text(uint16 word) const
{
    if (view() == VIEW_WORD)
        return hex_text(word);
    return QString::number(get_channel_bit(m_channel, word), 2);
}

uint16 ui_digtal_wave_form_t::packed_bits(const short int *words, uint32 n) const
{
    uint16 bits = 0;
    for (uint32 i = 0; i < n && i < 16; ++i)
        if (get_channel_bit(m_channel, static_cast<uint16>(words[i])))
            bits = static_cast<uint16>(bits | (1u << i));
    return bits;
}

void ui_digtal_wave_form_t::set_row(int row, const QString &position, const QString &value)
{
    QTableWidget *t = m_ui->tableWidget;
    QTableWidgetItem *pos = new QTableWidgetItem(position);
    pos->setFlags(Qt::ItemIsEditable);
    t->setItem(row, 0, pos);
    QTableWidgetItem *val = t->item(row, 1);
    if (val)
        val->setText(value);
    else
        t->setItem(row, 1, new QTableWidgetItem(value));
}

void ui_digtal_wave_form_t::set_value_text(int row, const QString &text)
{
    disconnect(m_ui->tableWidget, SIGNAL(cellChanged(int, int)), this, SLOT(point_table_slot_func(int, int)));
    QTableWidgetItem *val = m_ui->tableWidget->item(row, 1);
    if (val)
        val->setText(text);
    else
        m_ui->tableWidget->setItem(row, 1, new QTableWidgetItem(text));
    connect(m_ui->tableWidget, SIGNAL(cellChanged(int, int)), this, SLOT(point_table_slot_func(int, int)),
            Qt::UniqueConnection);
}

void ui_digtal_wave_form_t::show_page(uint32 index)
{
    index = std::min(index, sample_count());
    if (view() == VIEW_PACKED)
        fill_packed_page(index);
    else
        fill_sample_page(index);
}

void ui_digtal_wave_form_t::fill_sample_page(uint32 a)
{
    QTableWidget *t = m_ui->tableWidget;
    const uint32 count = sample_count();
    const uint32 m = std::min<uint32>(20, count);
    connect_table(false);
    m_preview_samples.clear();
    if (m == 0) {
        for (int r = 0; r < t->rowCount(); ++r)
            t->hideRow(r);
        connect_table(true);
        update_preview();
        return;
    }
    a = std::max<uint32>(a, 1);
    ensure_rows(static_cast<int>(m));
    const uint64 g = uint64(m) * (ceil_div(a, m) - 1) + 1;
    const uint32 selected = static_cast<uint32>(a - g);
    const uint32 n = static_cast<uint32>(std::min<uint64>(m, count - (g - 1)));
    std::vector<short int> words(n);
    const uint32 got = n ? m_wv_data->samples.read(static_cast<uint32>(g - 1), words.data(), n) : 0;
    words.resize(got);
    for (int r = 0; r < t->rowCount(); ++r) {
        if (static_cast<uint32>(r) >= words.size()) {
            t->hideRow(r);
            continue;
        }
        const uint16 w = static_cast<uint16>(words[r]);
        m_preview_samples.push_back(static_cast<short int>(w));
        set_row(r, QString::number(g + r), sample_text(w));
        t->showRow(r);
        if (static_cast<uint32>(r) == selected)
            t->setCurrentCell(r, 1, QItemSelectionModel::ClearAndSelect);
    }
    connect_table(true);
    update_preview();
}

void ui_digtal_wave_form_t::fill_packed_page(uint32 a)
{
    QTableWidget *t = m_ui->tableWidget;
    const uint32 count = sample_count();
    connect_table(false);
    m_preview_samples.clear();
    if (count == 0) {
        for (int r = 0; r < t->rowCount(); ++r)
            t->hideRow(r);
        connect_table(true);
        update_preview();
        return;
    }
    a = std::max<uint32>(a, 1);
    const uint64 first = uint64(k_packed_page) * (ceil_div(a, k_packed_page) - 1) + 1;
    const uint64 last = std::min<uint64>(first + k_packed_page - 1, count);
    const uint32 n = static_cast<uint32>(last - first + 1);
    const int used = static_cast<int>(ceil_div(n, 16));
    const int selected = static_cast<int>((a - first) / 16);
    ensure_rows(used);
    std::vector<short int> words(n);
    const uint32 got = m_wv_data->samples.read(static_cast<uint32>(first - 1), words.data(), n);
    words.resize(got);
    for (int r = 0; r < t->rowCount(); ++r) {
        const uint32 off = 16u * static_cast<uint32>(r);
        if (r >= used || off >= words.size()) {
            t->hideRow(r);
            continue;
        }
        const uint32 k = std::min<uint32>(16, static_cast<uint32>(words.size()) - off);
        const uint64 p0 = first + off;
        const QString pos = k == 1 ? QString::number(p0) : QString::number(p0) + "~" + QString::number(p0 + k - 1);
        set_row(r, pos, hex_text(packed_bits(words.data() + off, k)));
        t->showRow(r);
        if (r == selected) {
            t->setCurrentCell(r, 1, QItemSelectionModel::ClearAndSelect);
            m_preview_samples.assign(words.begin() + off, words.begin() + off + k);
        }
    }
    connect_table(true);
    update_preview();
}

void ui_digtal_wave_form_t::show_index(uint32 index)
{
    set_frame_quietly(m_index_frame, static_cast<int>(std::min<uint32>(std::min(index, sample_count()), 2147483647u)));
}

void ui_digtal_wave_form_t::show_page_of_index(uint32 index)
{
    const uint32 m = std::min(sample_count(), page_size());
    const uint32 page = m == 0 ? 1u : std::max<uint32>(1, ceil_div(index, m));
    m_page = static_cast<int32>(page);
    set_frame_quietly(m_page_frame, static_cast<int>(page));
}

void ui_digtal_wave_form_t::show_page_start_index(uint32 page)
{
    const uint64 m = std::min(sample_count(), page_size());
    const uint64 index = m * (std::max<uint32>(page, 1) - 1) + 1;
    set_frame_quietly(m_index_frame, static_cast<int>(std::min<uint64>(index, 2147483647u)));
}

void ui_digtal_wave_form_t::update_page_range()
{
    m_page_frame->set_max_value(std::max<uint32>(1, ceil_div(sample_count(), page_size())));
}

uint64 ui_digtal_wave_form_t::row_sample_index(int row) const
{
    const int p = std::max(1, m_page_frame->spinbox_int->value());
    return uint64(row) + uint64(std::min<uint32>(20, sample_count())) * uint64(p - 1);
}

bool ui_digtal_wave_form_t::row_sample_range(int row, uint32 &start, uint32 &end) const
{
    if (view() != VIEW_PACKED)
        return false;
    const uint32 count = sample_count();
    const int p = std::max(1, m_page_frame->spinbox_int->value());
    const uint64 s = uint64(p - 1) * k_packed_page + 16u * uint64(row);
    if (s >= count)
        return false;
    start = static_cast<uint32>(s);
    end = static_cast<uint32>(std::min<uint64>(s + 16, count));
    return true;
}

void ui_digtal_wave_form_t::point_table_slot_func(int row, int column)
{
    if (view() == VIEW_PACKED)
        edit_packed_cell(row, column);
    else
        edit_sample_cell(row, column);
}

void ui_digtal_wave_form_t::point_table_select_change_slot_func()
{
    QList<QTableWidgetItem *> items = m_ui->tableWidget->selectedItems();
    const int row = items.isEmpty() ? 0 : items.first()->row();
    if (view() == VIEW_PACKED) {
        uint32 start = 0, end = 0;
        if (row_sample_range(row, start, end)) {
            m_preview_samples.assign(end - start, 0);
            m_wv_data->samples.read(start, m_preview_samples.data(), end - start);
            update_preview();
            show_index(start + 1);
        } else {
            show_index(1);
        }
        return;
    }
    const uint64 s = row_sample_index(row);
    show_index(static_cast<uint32>(std::min<uint64>(s + 1, sample_count())));
}

void ui_digtal_wave_form_t::edit_sample_cell(int row, int)
{
    const uint64 s64 = row_sample_index(row);
    if (s64 >= sample_count())
        return;
    const uint32 s = static_cast<uint32>(s64);
    QTableWidgetItem *item = m_ui->tableWidget->item(row, 1);
    const QString text = item ? item->text() : QString();
    if (!text.isEmpty()) {
        if (view() == VIEW_WORD) {
            int v = 0;
            if (parse_hex(text, v))
                m_wv_data->samples.set(s, static_cast<short int>(static_cast<uint16>(v & 0xFFFF)));
        } else {
            bool ok = false;
            const int v = text.toInt(&ok, 2);
            if (ok) {
                short int w = 0;
                m_wv_data->samples.at(s, &w);
                m_wv_data->samples.set(s, static_cast<short int>(set_channel_bit(m_channel, static_cast<uint16>(w), v != 0)));
            }
        }
        refresh_sample_row(row);
        return;
    }
    // The new item is itself reported as a change and stored through the branch above.
    m_ui->tableWidget->setItem(row, 1, new QTableWidgetItem(view() == VIEW_WORD ? "0x0" : "0"));
    short int w = 0;
    m_wv_data->samples.at(s, &w);
    const uint16 cleared = view() == VIEW_WORD ? uint16(0) : set_channel_bit(m_channel, static_cast<uint16>(w), 0);
    m_wv_data->samples.set(s, static_cast<short int>(cleared));
}

void ui_digtal_wave_form_t::refresh_sample_row(int row)
{
    const uint64 s = row_sample_index(row);
    if (s >= sample_count())
        return;
    short int w = 0;
    m_wv_data->samples.at(static_cast<uint32>(s), &w);
    set_value_text(row, sample_text(static_cast<uint16>(w)));
    if (static_cast<size_t>(row) < m_preview_samples.size()) {
        m_preview_samples[row] = w;
        update_preview();
    }
}

void ui_digtal_wave_form_t::edit_packed_cell(int row, int)
{
    uint32 start = 0, end = 0;
    if (!row_sample_range(row, start, end))
        return;
    QTableWidgetItem *item = m_ui->tableWidget->item(row, 1);
    const QString text = item ? item->text() : QString();
    if (!text.isEmpty()) {
        int v = 0;
        if (parse_hex(text, v)) {
            for (uint32 i = 0; i < end - start; ++i) {
                short int w = 0;
                m_wv_data->samples.at(start + i, &w);
                const int bit = (static_cast<uint32>(v) >> i) & 1u;
                m_wv_data->samples.set(start + i, static_cast<short int>(set_channel_bit(m_channel, static_cast<uint16>(w), bit)));
            }
        }
        refresh_packed_row(row);
        return;
    }
    m_ui->tableWidget->setItem(row, 1, new QTableWidgetItem("0"));
    for (uint32 i = start; i < end; ++i) {
        short int w = 0;
        m_wv_data->samples.at(i, &w);
        m_wv_data->samples.set(i, static_cast<short int>(set_channel_bit(m_channel, static_cast<uint16>(w), 0)));
    }
}

void ui_digtal_wave_form_t::refresh_packed_row(int row)
{
    uint32 start = 0, end = 0;
    if (!row_sample_range(row, start, end))
        return;
    std::vector<short int> words(end - start);
    m_wv_data->samples.read(start, words.data(), end - start);
    set_value_text(row, hex_text(packed_bits(words.data(), end - start)));
    QTableWidgetItem *item = m_ui->tableWidget->item(row, 1);
    if (item && item->isSelected()) {
        m_preview_samples = words;
        update_preview();
    }
}
