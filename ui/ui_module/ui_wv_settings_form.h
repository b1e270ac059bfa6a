#pragma once
#include <QCoreApplication>
#include <QDialog>
#include <QGroupBox>
#include <QIcon>
#include <QPushButton>

// The fixed widgets of "New Waveform".
class Ui_ui_wv_settings_t
{
public:
    QGroupBox *gpbx_wvform_property;
    QPushButton *btn_ok;
    QPushButton *btn_cancle;
    QGroupBox *gpbx_instr;

    void setupUi(QDialog *d)
    {
        if (d->objectName().isEmpty())
            d->setObjectName("ui_wv_settings_t");
        d->resize(462, 288);
        d->setWindowIcon(QIcon(":/Image/resources/image_ondrix.png"));
        d->setStyleSheet(QString());
        gpbx_wvform_property = new QGroupBox(d);
        gpbx_wvform_property->setObjectName("gpbx_wvform_property");
        gpbx_wvform_property->setStyleSheet(QString());
        btn_ok = new QPushButton(d);
        btn_ok->setObjectName("btn_ok");
        btn_cancle = new QPushButton(d);
        btn_cancle->setObjectName("btn_cancle");
        gpbx_instr = new QGroupBox(d);
        gpbx_instr->setObjectName("gpbx_instr");
        auto tr = [](const char *s) { return QCoreApplication::translate("ui_wv_settings_t", s); };
        d->setWindowTitle(tr("New Waveform"));
        gpbx_wvform_property->setTitle(tr("Waveform Properties"));
        gpbx_instr->setTitle(tr("Instrument"));
        btn_ok->setText(tr("OK"));
        btn_cancle->setText(tr("Cancel"));
        QMetaObject::connectSlotsByName(d);
    }
};

