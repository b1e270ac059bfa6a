#pragma once
#include "ui_form_place.h"
#include <QCoreApplication>
#include <QFont>
#include <QGroupBox>
#include <QIcon>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

// The fixed widgets of "Waveform Math", laid out by hand as a designer form would: the
// three plots' boxes stacked on the left, the source choice and the operations on the
// right, OK and Cancel below them.
class Ui_ui_wvmath_form_t
{
public:
    QGroupBox *gpbx_sel_wv;
    QGroupBox *gpbx_wv_src;
    QGroupBox *gpbx_result_wv;
    QGroupBox *gpbx_wv_src_parm;
    QGroupBox *gpbx_oper;
    QRadioButton *rdbtn_add;
    QRadioButton *rdbtn_sub;
    QRadioButton *rdbtn_mul;
    QRadioButton *rdbtn_div;
    QPushButton *btn_ok;
    QPushButton *btn_cancel;

    void setupUi(QWidget *w)
    {
        if (w->objectName().isEmpty())
            w->setObjectName("WaveMath");
        w->resize(845, 555);
        w->setWindowIcon(QIcon(":/Image/resources/image_ondrix.png"));
        QFont f;
        f.setPointSize(12);
        auto group = [&](const char *name, int x, int y, int wd, int h) {
            return ui_form_place<QGroupBox>(w, name, QRect(x, y, wd, h), f);
        };
        auto radio = [&](const char *name, int x, int y) {
            return ui_form_place<QRadioButton>(gpbx_oper, name, QRect(x, y, 141, 31), f);
        };
        auto button = [&](const char *name, int x, int y) {
            return ui_form_place<QPushButton>(w, name, QRect(x, y, 75, 31), f);
        };
        gpbx_sel_wv = group("gpbx_sel_wv", 10, 10, 471, 171);
        gpbx_wv_src = group("gpbx_wv_src", 10, 190, 471, 171);
        gpbx_result_wv = group("gpbx_result_wv", 10, 370, 471, 171);
        gpbx_wv_src_parm = group("gpbx_wv_src_parm", 490, 10, 345, 291);
        gpbx_oper = group("gpbx_oper", 490, 310, 345, 171);
        rdbtn_add = radio("rdbtn_add", 20, 40);
        rdbtn_sub = radio("rdbtn_sub", 180, 40);
        rdbtn_mul = radio("rdbtn_mul", 20, 100);
        rdbtn_div = radio("rdbtn_div", 180, 100);
        btn_ok = button("btn_ok", 620, 510);
        btn_cancel = button("btn_cancel", 740, 510);
        retranslateUi(w);
    }

    void retranslateUi(QWidget *w)
    {
        auto tr = [](const char *s) { return QCoreApplication::translate("ui_wvmath_form_t", s); };
        w->setWindowTitle(tr("Waveform Math"));
        gpbx_sel_wv->setTitle(tr("Selected Waveform"));
        gpbx_wv_src->setTitle(tr("Waveform Source"));
        gpbx_result_wv->setTitle(tr("Resultant Waveform"));
        gpbx_wv_src_parm->setTitle(tr("Waveform Source"));
        gpbx_oper->setTitle(tr("Operation"));
        rdbtn_add->setText(tr("Addition"));
        rdbtn_sub->setText(tr("Subtraction"));
        rdbtn_mul->setText(tr("Multiplication"));
        rdbtn_div->setText(tr("Division"));
        btn_ok->setText(tr("OK"));
        btn_cancel->setText(tr("Cancel"));
    }
};
