#include "ui_combx.h"

#include "ui_unit.h"

#include <QStyledItemDelegate>

ui_combx_t::ui_combx_t(int type, QWidget *parent)
    : QComboBox(parent), unit_type(0), unit_prefix(UI_PREFIX_NONE)
{
    // The style sheet's item rules reach the list only through a styled delegate.
    setItemDelegate(new QStyledItemDelegate(this));
    setObjectName("normal_comb");
    unit_type = type;
    init_unit_items();
}

void ui_combx_t::init_unit_items()
{
    QStringList items;
    switch (unit_type) {
    case UI_UNIT_FREQ:
        items << tr("μHz") << tr("mHz") << tr("Hz") << tr("kHz") << tr("MHz");
        break;
    case UI_UNIT_TIME:
        items << tr("ns") << tr("μs") << tr("ms") << tr("s") << tr("ks");
        break;
    case UI_UNIT_VOLT:
        items << tr("mV") << tr("V");
        break;
    case UI_UNIT_SRATE:
        items << tr("μSa/s") << tr("mSa/s") << tr("Sa/s") << tr("kSa/s") << tr("MSa/s")
              << tr("GSa/s");
        break;
    case UI_UNIT_POINTS: items << tr("Sa"); break;
    case UI_UNIT_DEGREE: items << tr("degrees"); break;
    case UI_UNIT_PERCENT: items << tr("%"); break;
    case UI_UNIT_DB: items << tr("dB"); break;
    case UI_UNIT_BITRATE:
        items << tr("μbps") << tr("mbps") << tr("bps") << tr("kbps") << tr("Mbps") << tr("Gbps");
        break;
    default: break;
    }
    int first = 0, last = 0;
    if (!items.isEmpty() && ui_unit_prefix_range(unit_type, &first, &last)) {
        for (int i = 0; i < items.size(); ++i)
            addItem(items[i], i);
        setCurrentIndex(UI_PREFIX_NONE - first);
        unit_prefix = UI_PREFIX_NONE;
        emit unit_type_changed();
    }
    connect(this, SIGNAL(activated(int)), this, SLOT(unit_comb_slot_func(int)));
}

void ui_combx_t::set_unit_prefix(int prefix)
{
    unit_prefix = prefix;
    emit unit_type_changed();
}

bool ui_combx_t::set_unit_index(int index)
{
    int first = 0, last = 0;
    if (index < 0 || index >= count() || !ui_unit_prefix_range(unit_type, &first, &last))
        return false;
    unit_prefix = first + index;
    return true;
}

void ui_combx_t::set_unit(int prefix)
{
    set_unit_prefix(prefix);
    int first = 0, last = 0;
    if (ui_unit_prefix_range(unit_type, &first, &last) && prefix >= first && prefix <= last)
        setCurrentIndex(prefix - first);
}

void ui_combx_t::reset_unit()
{
    int first = 0, last = 0;
    if (count() == 0 || !ui_unit_prefix_range(unit_type, &first, &last))
        return;
    setCurrentIndex(UI_PREFIX_NONE - first);
    unit_prefix = UI_PREFIX_NONE;
    emit unit_type_changed();
}

void ui_combx_t::unit_comb_slot_func(int index)
{
    if (set_unit_index(index))
        emit unit_type_changed();
    emit value_changed_info_signal();
}
