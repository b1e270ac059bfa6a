#pragma once
#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QWidget>

// The fixed widgets of the digital-waveform editor, laid out as a designer form would.
class Ui_ui_digtal_wave_form_t
{
public:
    QGroupBox *gpbx_para;
    QGroupBox *gpbx_wv_preview;
    QGroupBox *gpbx_ch;
    QRadioButton *rdbtn_all_ch;
    QRadioButton *rdbtn_single_ch;
    QComboBox *ch_comb;
    QPushButton *btn_ok;
    QPushButton *btn_cancel;
    QGroupBox *gpbx_table;
    QTableWidget *tableWidget;
    QPushButton *btn_goto;
    QFrame *frame_index;
    QFrame *frame_page;
    QRadioButton *rdbtn_single_bit;
    QRadioButton *rdbtn_16_bit;
    QGroupBox *gpbx_setting;
    QPushButton *btn_default;
    QPushButton *btn_zero;
    QPushButton *btn_invert;
    QGroupBox *gpbx_ch_copy;
    QComboBox *src_comb;
    QComboBox *dest_comb;
    QPushButton *btn_ch_copy;
    QLabel *label;

    void setupUi(QWidget *w)
    {
        if (w->objectName().isEmpty())
            w->setObjectName("ui_digtal_wave_form_t");
        w->resize(810, 645);
        QFont big;
        big.setPointSize(12);
        auto group = [](QWidget *parent, const char *name, int x, int y, int wd, int h) {
            QGroupBox *g = new QGroupBox(parent);
            g->setObjectName(name);
            g->setGeometry(x, y, wd, h);
            return g;
        };
        auto button = [](QWidget *parent, const char *name, int x, int y, int wd, int h) {
            QPushButton *b = new QPushButton(parent);
            b->setObjectName(name);
            b->setGeometry(x, y, wd, h);
            return b;
        };
        auto radio = [](QWidget *parent, const char *name, int x, int y, int wd) {
            QRadioButton *r = new QRadioButton(parent);
            r->setObjectName(name);
            r->setGeometry(x, y, wd, 16);
            return r;
        };
        auto frame = [](QWidget *parent, const char *name, int x, int y, int wd) {
            QFrame *f = new QFrame(parent);
            f->setObjectName(name);
            f->setGeometry(x, y, wd, 21);
            f->setFrameShape(QFrame::StyledPanel);
            f->setFrameShadow(QFrame::Raised);
            return f;
        };
        gpbx_para = group(w, "gpbx_para", 20, 10, 341, 91);
        gpbx_wv_preview = group(w, "gpbx_wv_preview", 0, 230, 561, 401);
        gpbx_ch = group(w, "gpbx_ch", 400, 10, 361, 91);
        rdbtn_all_ch = radio(gpbx_ch, "rdbtn_all_ch", 170, 20, 111);
        rdbtn_all_ch->setFont(big);
        rdbtn_single_ch = radio(gpbx_ch, "rdbtn_single_ch", 20, 20, 131);
        rdbtn_single_ch->setFont(big);
        ch_comb = new QComboBox(gpbx_ch);
        ch_comb->setObjectName("ch_comb");
        ch_comb->setGeometry(20, 40, 131, 22);
        ch_comb->setMaxVisibleItems(17);
        btn_ok = button(w, "btn_ok", 600, 600, 71, 31);
        btn_ok->setFont(big);
        btn_cancel = button(w, "btn_cancel", 700, 600, 71, 31);
        btn_cancel->setFont(big);
        gpbx_table = group(w, "gpbx_table", 570, 100, 231, 491);
        gpbx_table->setFont(big);
        tableWidget = new QTableWidget(gpbx_table);
        tableWidget->setObjectName("tableWidget");
        tableWidget->setGeometry(10, 81, 211, 371);
        tableWidget->setColumnCount(2);
        tableWidget->setFont(big);
        btn_goto = button(gpbx_table, "btn_goto", 160, 50, 51, 23);
        btn_goto->setFont(big);
        frame_index = frame(gpbx_table, "frame_index", 10, 50, 148); // up to the Goto button
        frame_page = frame(gpbx_table, "frame_page", 10, 460, 201);
        rdbtn_single_bit = radio(gpbx_table, "rdbtn_single_bit", 10, 20, 111);
        rdbtn_single_bit->setChecked(true);
        rdbtn_16_bit = radio(gpbx_table, "rdbtn_16_bit", 130, 20, 101);
        gpbx_setting = group(w, "gpbx_setting", 20, 100, 541, 131);
        btn_default = button(gpbx_setting, "btn_default", 370, 30, 75, 23);
        btn_zero = button(gpbx_setting, "btn_zero", 60, 30, 75, 23);
        btn_invert = button(gpbx_setting, "btn_invert", 220, 30, 75, 23);
        gpbx_ch_copy = group(gpbx_setting, "gpbx_ch_copy", 40, 60, 421, 51);
        src_comb = new QComboBox(gpbx_ch_copy);
        src_comb->setObjectName("src_comb");
        src_comb->setGeometry(80, 20, 81, 22);
        dest_comb = new QComboBox(gpbx_ch_copy);
        dest_comb->setObjectName("dest_comb");
        dest_comb->setGeometry(190, 20, 81, 22);
        btn_ch_copy = button(gpbx_ch_copy, "btn_ch_copy", 310, 20, 75, 23);
        label = new QLabel(gpbx_ch_copy);
        label->setObjectName("label");
        label->setGeometry(166, 20, 22, 16);
        retranslateUi(w);
    }

    void retranslateUi(QWidget *w)
    {
        auto tr = [](const char *s) { return QCoreApplication::translate("ui_digtal_wave_form_t", s); };
        w->setWindowTitle(tr("Form"));
        gpbx_para->setTitle(tr("Settings"));
        gpbx_wv_preview->setTitle(tr("Preview"));
        gpbx_ch->setTitle(tr("Channel Setting"));
        rdbtn_all_ch->setText(tr("All Channel"));
        rdbtn_single_ch->setText(tr("Single Channel"));
        btn_ok->setText(tr("OK"));
        btn_cancel->setText(tr("Cancel"));
        gpbx_table->setTitle(tr("Value Table"));
        btn_goto->setText(tr("Goto"));
        rdbtn_single_bit->setText(tr("1_bit"));
        rdbtn_16_bit->setText(tr("16_bit"));
        gpbx_setting->setTitle(tr("Quick setting"));
        btn_default->setText(tr("Default"));
        btn_zero->setText(tr("Zero"));
        btn_invert->setText(tr("Invert"));
        gpbx_ch_copy->setTitle(tr("Channel Copy"));
        btn_ch_copy->setText(tr("Copy"));
        label->setText(tr("->"));
    }
};
