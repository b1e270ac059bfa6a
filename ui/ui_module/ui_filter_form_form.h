#pragma once
#include "ui_form_place.h"
#include <QCoreApplication>
#include <QFont>
#include <QGroupBox>
#include <QIcon>
#include <QPushButton>
#include <QWidget>

// The fixed widgets of "Filter", laid out by hand as a designer form would.
class Ui_ui_filter_form_t
{
public:
    QGroupBox *gpbx_wv_src;
    QGroupBox *gpbx_freq_sponse;
    QGroupBox *gpbx_wv_result;
    QGroupBox *gpbx_parm;
    QPushButton *btn_design_filter;
    QPushButton *btn_ok;
    QPushButton *btn_cancel;

    void setupUi(QWidget *w)
    {
        if (w->objectName().isEmpty())
            w->setObjectName("FilterForm");
        w->resize(880, 555);
        w->setWindowIcon(QIcon(":/Image/resources/image_ondrix.png"));
        QFont f;
        f.setPointSize(12);
        auto group = [&](const char *name, int x, int y, int wd, int h) {
            return ui_form_place<QGroupBox>(w, name, QRect(x, y, wd, h), f);
        };
        auto button = [&](const char *name, int x, int y, int wd) {
            return ui_form_place<QPushButton>(w, name, QRect(x, y, wd, 31), f);
        };
        gpbx_wv_src = group("gpbx_wv_src", 10, 10, 501, 171);
        gpbx_freq_sponse = group("gpbx_freq_sponse", 10, 190, 501, 171);
        gpbx_wv_result = group("gpbx_wv_result", 10, 370, 501, 171);
        gpbx_parm = group("gpbx_parm", 520, 10, 351, 471);
        btn_design_filter = button("btn_design_filter", 524, 510, 131);
        btn_ok = button("btn_ok", 690, 510, 75);
        btn_cancel = button("btn_cancel", 790, 510, 75);
        retranslateUi(w);
    }

    void retranslateUi(QWidget *w)
    {
        auto tr = [](const char *s) { return QCoreApplication::translate("ui_filter_form_t", s); };
        w->setWindowTitle(tr("Filter"));
        gpbx_wv_src->setTitle(tr("Waveform Source"));
        gpbx_freq_sponse->setTitle(tr("Magnitude Response(dB)"));
        gpbx_wv_result->setTitle(tr("Resultant Waveform"));
        gpbx_parm->setTitle(tr("Parameters"));
        btn_design_filter->setText(tr("Design Filter"));
        btn_ok->setText(tr("OK"));
        btn_cancel->setText(tr("Cancel"));
    }
};
