#pragma once
#include "ui_form_place.h"
#include <QCoreApplication>
#include <QFont>
#include <QGroupBox>
#include <QIcon>
#include <QPushButton>
#include <QWidget>

// The fixed widgets of "Window Function", laid out by hand as a designer form would.
class Ui_ui_window_form_t
{
public:
    QGroupBox *gpbx_wv_src;
    QGroupBox *gpbx_wv_result;
    QGroupBox *gpbx_parm;
    QPushButton *btn_ok;
    QPushButton *btn_cancel;

    void setupUi(QWidget *w)
    {
        if (w->objectName().isEmpty())
            w->setObjectName("WindowForm");
        w->resize(918, 535);
        w->setWindowIcon(QIcon(":/Image/resources/image_ondrix.png"));
        QFont f;
        f.setPointSize(12);
        auto group = [&](const char *name, int x, int y, int wd, int h) {
            return ui_form_place<QGroupBox>(w, name, QRect(x, y, wd, h), f);
        };
        auto button = [&](const char *name, int x, int y) {
            return ui_form_place<QPushButton>(w, name, QRect(x, y, 75, 31), f);
        };
        gpbx_wv_src = group("gpbx_wv_src", 10, 10, 561, 251);
        gpbx_wv_result = group("gpbx_wv_result", 10, 270, 561, 251);
        gpbx_parm = group("gpbx_parm", 580, 10, 331, 441);
        btn_ok = button("btn_ok", 640, 480);
        btn_cancel = button("btn_cancel", 770, 480);
        retranslateUi(w);
    }

    void retranslateUi(QWidget *w)
    {
        auto tr = [](const char *s) { return QCoreApplication::translate("ui_window_form_t", s); };
        w->setWindowTitle(tr("Window Function"));
        gpbx_wv_src->setTitle(tr("Waveform Source"));
        gpbx_wv_result->setTitle(tr("Resultant Waveform"));
        gpbx_parm->setTitle(tr("Parameters"));
        btn_ok->setText(tr("OK"));
        btn_cancel->setText(tr("Cancel"));
    }
};
