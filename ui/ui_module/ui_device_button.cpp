#include "ui_device_button.h"

#include <QFontMetrics>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const int label_width = 120;

} // namespace

ui_device_button_t::ui_device_button_t(const QString &label, QWidget *parent)
    : QWidget(parent), m_button(new QPushButton(this)), m_label(new QLabel(this)), m_device(label)
{
    m_button->setFixedSize(120, 60);
    m_button->setIcon(QIcon(":/Image/resources/mzk1021.png"));
    m_button->setIconSize(QSize(100, 50));
    m_button->setObjectName("device_button");

    m_label->setFixedSize(label_width, 20);
    m_label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    m_label->setStyleSheet("font:16px; color:white;");
    // Measured in the style sheet's font.
    m_label->ensurePolished();
    // USB resource names are far wider than the button. Their end holds the serial
    // number, which tells two instruments of one model apart: keep it, and show the
    // whole name as the tool tip.
    const QString shown = m_label->fontMetrics().elidedText(label, Qt::ElideLeft, label_width);
    m_label->setText(shown);
    if (shown != label)
        m_label->setToolTip(label);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(5);
    layout->addWidget(m_button, 0, Qt::AlignHCenter);
    layout->addWidget(m_label, 0, Qt::AlignHCenter);

    connect(m_button, SIGNAL(clicked()), this, SLOT(deal_clicked_event()));
}

void ui_device_button_t::deal_clicked_event() { emit selected(m_device); }
