#pragma once
#include "ui_form_place.h"
#include <QCoreApplication>
#include <QFrame>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

// The fixed widgets of "Standard Waveform", laid out by hand as a designer form would.
class Ui_ui_stdwvform_t
{
public:
    QGroupBox *gpbx_settings;
    QGroupBox *gpbx_ver;
    QRadioButton *rdbtn_amp;
    QRadioButton *rdbtn_max;
    QFrame *frame_ver;
    QGroupBox *gpbx_hor;
    QGroupBox *gpbx_tran;
    QGroupBox *gpbx_preview;
    QPushButton *btn_preview;
    QPushButton *btn_ok;
    QPushButton *btn_cancel;
    QGroupBox *gpbx_note;
    QLabel *label_min_point;
    QLabel *label_min_point_value;
    QLabel *label_max_point;
    QLabel *label_max_point_value;
    QWidget *table_widget;

    void setupUi(QWidget *w)
    {
        if (w->objectName().isEmpty())
            w->setObjectName("ui_stdwvform_t");
        w->resize(862, 592);
        w->setWindowIcon(QIcon(":/Image/resources/image_ondrix.png"));
        QFont f;
        f.setPointSize(12);
        auto group = [&](QWidget *parent, const char *name, int x, int y, int wd, int h) {
            return ui_form_place<QGroupBox>(parent, name, QRect(x, y, wd, h), f);
        };
        auto button = [&](const char *name, int x, int y) {
            return ui_form_place<QPushButton>(w, name, QRect(x, y, 75, 31), f);
        };
        auto label = [&](QWidget *parent, const char *name, int x, int y, int wd) {
            return ui_form_place<QLabel>(parent, name, QRect(x, y, wd, 21), f);
        };
        gpbx_settings = group(w, "gpbx_settings", 20, 10, 821, 61);
        gpbx_ver = group(w, "gpbx_ver", 20, 80, 471, 111);
        rdbtn_amp = new QRadioButton(gpbx_ver);
        rdbtn_amp->setObjectName("rdbtn_amp");
        rdbtn_amp->setGeometry(20, 20, 121, 16);
        rdbtn_amp->setFont(f);
        rdbtn_max = new QRadioButton(gpbx_ver);
        rdbtn_max->setObjectName("rdbtn_max");
        rdbtn_max->setGeometry(180, 20, 89, 16);
        rdbtn_max->setFont(f);
        frame_ver = new QFrame(gpbx_ver);
        frame_ver->setObjectName("frame_ver");
        frame_ver->setGeometry(20, 40, 441, 71);
        frame_ver->setFrameShape(QFrame::StyledPanel);
        frame_ver->setFrameShadow(QFrame::Raised);
        gpbx_hor = group(w, "gpbx_hor", 500, 80, 341, 251);
        gpbx_tran = group(w, "gpbx_tran", 20, 190, 471, 141);
        gpbx_preview = group(w, "gpbx_preview", 20, 330, 821, 191);
        btn_preview = button("btn_preview", 520, 550);
        btn_ok = button("btn_ok", 630, 550);
        btn_cancel = button("btn_cancel", 740, 550);
        gpbx_note = group(w, "gpbx_note", 20, 530, 491, 51);
        label_min_point = label(gpbx_note, "label_min_point", 20, 20, 131);
        label_min_point->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label_min_point_value = label(gpbx_note, "label_min_point_value", 160, 20, 71);
        label_min_point_value->setLayoutDirection(Qt::RightToLeft);
        label_max_point = label(gpbx_note, "label_max_point", 240, 20, 131);
        label_max_point->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        // Room for the largest count, 4294967295.
        label_max_point_value = label(gpbx_note, "label_max_point_value", 380, 20, 101);
        table_widget = new QWidget(w);
        table_widget->setObjectName("table_widget");
        table_widget->setGeometry(500, 90, 341, 241);
        retranslateUi(w);
    }

    void retranslateUi(QWidget *w)
    {
        auto tr = [](const char *s) { return QCoreApplication::translate("ui_stdwvform_t", s); };
        w->setWindowTitle(tr("Standard Waveform"));
        gpbx_settings->setTitle(tr("Settings"));
        gpbx_ver->setTitle(tr("Vertical"));
        rdbtn_amp->setText(tr("Ampl/Offset"));
        rdbtn_max->setText(tr("Max/Min"));
        gpbx_hor->setTitle(tr("Horizontal"));
        gpbx_tran->setTitle(tr("Transitions"));
        gpbx_preview->setTitle(tr("Preview"));
        btn_preview->setText(tr("Preview"));
        btn_ok->setText(tr("OK"));
        btn_cancel->setText(tr("Cancel"));
        gpbx_note->setTitle(tr("Notes"));
        label_min_point->setText(tr("Minimum Points:"));
        label_min_point_value->setText(tr("2"));
        label_max_point->setText(tr("Maximum Points:"));
        label_max_point_value->setText(tr("15728640"));
    }
};
