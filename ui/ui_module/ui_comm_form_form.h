#pragma once
// The communication dialog's fixed-geometry form, as the designer would generate it.
#include <QCoreApplication>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QIcon>
#include <QPushButton>
#include <QTableWidget>
#include <QWidget>

struct Ui_ui_comm_form_t
{
    QGroupBox *gpbx_sel_ip;
    QTableWidget *instrument_table;
    QPushButton *btn_connect;
    QPushButton *btn_disconnect;
    QPushButton *show_btn[6];
    QGroupBox *gpbx_param_settings;
    QGroupBox *gpbx_ch_selection;
    QWidget *gridLayoutWidget;
    QGridLayout *glayout_btn;

    void setupUi(QWidget *w)
    {
        if (w->objectName().isEmpty())
            w->setObjectName("ui_comm_form_t");
        w->resize(859, 492);
        w->setWindowIcon(QIcon(":/Image/resources/image_ondrix.png"));
        QFont font12;
        font12.setPointSize(12);

        gpbx_sel_ip = new QGroupBox(w);
        gpbx_sel_ip->setObjectName("gpbx_sel_ip");
        gpbx_sel_ip->setGeometry(QRect(10, 6, 839, 240));
        gpbx_sel_ip->setFont(font12);
        instrument_table = new QTableWidget(gpbx_sel_ip);
        instrument_table->setObjectName("instrument_table");
        instrument_table->setGeometry(QRect(34, 24, 684, 213));
        instrument_table->setFont(font12);
        instrument_table->setRowCount(6);
        instrument_table->setColumnCount(4);
        instrument_table->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
        instrument_table->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
        instrument_table->setSortingEnabled(false);
        for (int i = 0; i < 6; ++i) {
            // Beside row i: below the 25-pixel header, one per 31-pixel row.
            show_btn[i] = new QPushButton(gpbx_sel_ip);
            show_btn[i]->setObjectName(QString("show_btn%1").arg(i + 1));
            show_btn[i]->setGeometry(QRect(12, 24 + 1 + 25 + 31 * i + 5, 16, 20));
        }
        btn_connect = new QPushButton(gpbx_sel_ip);
        btn_connect->setObjectName("btn_connect");
        btn_connect->setGeometry(QRect(730, 70, 100, 31));
        btn_connect->setFont(font12);
        btn_disconnect = new QPushButton(gpbx_sel_ip);
        btn_disconnect->setObjectName("btn_disconnect");
        btn_disconnect->setGeometry(QRect(730, 130, 100, 31));
        btn_disconnect->setFont(font12);

        gpbx_param_settings = new QGroupBox(w);
        gpbx_param_settings->setObjectName("gpbx_param_settings");
        gpbx_param_settings->setGeometry(QRect(10, 252, 839, 80));
        gpbx_ch_selection = new QGroupBox(w);
        gpbx_ch_selection->setObjectName("gpbx_ch_selection");
        gpbx_ch_selection->setGeometry(QRect(10, 338, 839, 96));

        gridLayoutWidget = new QWidget(w);
        gridLayoutWidget->setObjectName("gridLayoutWidget");
        gridLayoutWidget->setGeometry(QRect(10, 442, 839, 41));
        glayout_btn = new QGridLayout(gridLayoutWidget);
        glayout_btn->setObjectName("glayout_btn");
        glayout_btn->setContentsMargins(0, 0, 0, 0);
        glayout_btn->setHorizontalSpacing(40);
        glayout_btn->setAlignment(Qt::AlignCenter);

        retranslateUi(w);
        QMetaObject::connectSlotsByName(w);
    }

    void retranslateUi(QWidget *w)
    {
        auto tr = [](const char *s) { return QCoreApplication::translate("ui_comm_form_t", s); };
        w->setWindowTitle(tr("Communication Settings"));
        gpbx_sel_ip->setTitle(tr("Select Resource"));
        btn_connect->setText(tr("Connect"));
        btn_disconnect->setText(tr("Disconnect"));
        gpbx_param_settings->setTitle(tr("Parameter Settings"));
        gpbx_ch_selection->setTitle(tr("Channel Selection"));
    }
};
