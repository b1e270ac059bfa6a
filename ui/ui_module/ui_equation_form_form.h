#pragma once
#include "ui_form_place.h"
#include <QCoreApplication>
#include <QFont>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>

// The fixed widgets of "Equation Editor", laid out by hand as a designer form would:
// equation, status and keypad on the left; settings, notes and preview on the right with
// the row of buttons below them.
class Ui_ui_equation_form_t
{
public:
    QGroupBox *gpbx_equation;
    QPlainTextEdit *ptedit_cmd;
    QGroupBox *gpbx_status;
    QPlainTextEdit *ptedit_status;
    QGroupBox *gpbx_cmd;
    QGroupBox *gpbx_settings;
    QGroupBox *gpbx_notes;
    QLabel *label_min_points;
    QLabel *label_value_min_points;
    QLabel *label_max_points;
    QLabel *label_value_max_points;
    QGroupBox *gpbx_preview;
    QPushButton *btn_open;
    QPushButton *btn_save;
    QPushButton *btn_compile;
    QPushButton *btn_ok;
    QPushButton *btn_cancle;

    void setupUi(QWidget *w)
    {
        if (w->objectName().isEmpty())
            w->setObjectName("EquationForm");
        w->resize(1035, 489);
        w->setWindowIcon(QIcon(":/Image/resources/image_ondrix.png"));
        QFont f;
        f.setPointSize(12);
        auto group = [&](const char *name, int x, int y, int wd, int h) {
            return ui_form_place<QGroupBox>(w, name, QRect(x, y, wd, h), f);
        };
        auto editor = [&](QGroupBox *box, const char *name) {
            QPlainTextEdit *e = new QPlainTextEdit(box);
            e->setObjectName(name);
            auto *layout = new QHBoxLayout(box);
            layout->setContentsMargins(6, 4, 6, 6);
            layout->addWidget(e);
            return e;
        };
        auto label = [&](const char *name, int x, int wd, bool right) {
            QLabel *l = new QLabel(gpbx_notes);
            l->setObjectName(name);
            l->setGeometry(x, 28, wd, 21);
            if (right)
                l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            return l;
        };
        auto button = [&](const char *name, int x) {
            return ui_form_place<QPushButton>(w, name, QRect(x, 448, 75, 31), f);
        };
        gpbx_equation = group("gpbx_equation", 10, 10, 401, 121);
        ptedit_cmd = editor(gpbx_equation, "ptedit_cmd");
        // Room for a failure message with its line number.
        gpbx_status = group("gpbx_status", 10, 135, 401, 121);
        ptedit_status = editor(gpbx_status, "ptedit_status");
        gpbx_cmd = group("gpbx_cmd", 10, 260, 401, 219);
        gpbx_settings = group("gpbx_settings", 420, 10, 605, 121);
        gpbx_notes = group("gpbx_notes", 420, 135, 605, 61);
        label_min_points = label("label_min_points", 10, 140, true);
        label_value_min_points = label("label_value_min_points", 155, 120, false);
        label_max_points = label("label_max_points", 285, 140, true);
        label_value_max_points = label("label_value_max_points", 430, 120, false);
        gpbx_preview = group("gpbx_preview", 420, 200, 605, 241);
        btn_open = button("btn_open", 530);
        btn_save = button("btn_save", 630);
        btn_compile = button("btn_compile", 730);
        btn_ok = button("btn_ok", 830);
        btn_cancle = button("btn_cancle", 930);
        retranslateUi(w);
    }

    void retranslateUi(QWidget *w)
    {
        auto tr = [](const char *s) { return QCoreApplication::translate("ui_equation_form_t", s); };
        w->setWindowTitle(tr("Equation Editor"));
        gpbx_equation->setTitle(tr("Equation"));
        gpbx_status->setTitle(tr("Status"));
        gpbx_cmd->setTitle(tr("Command Shortcut"));
        gpbx_settings->setTitle(tr("Settings"));
        gpbx_notes->setTitle(tr("Notes"));
        label_min_points->setText(tr("Minimum Points:"));
        label_value_min_points->setText(tr("2"));
        label_max_points->setText(tr("Maximum Points:"));
        label_value_max_points->setText(tr("20971520"));
        gpbx_preview->setTitle(tr("Preview"));
        btn_open->setText(tr("Open"));
        btn_save->setText(tr("Save"));
        btn_compile->setText(tr("Compile"));
        btn_ok->setText(tr("OK"));
        btn_cancle->setText(tr("Cancel"));
    }
};
