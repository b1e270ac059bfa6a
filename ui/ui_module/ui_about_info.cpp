#include "ui_about_info.h"

#include "ui_version.h"

#include <QCoreApplication>
#include <QFont>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace {

QFont big_font(int points)
{
    QFont font;
    font.setPointSize(points);
    font.setBold(true);
    font.setItalic(true);
    return font;
}

} // namespace

void ui_about_info_form_t::setup_ui(QDialog *dialog)
{
    if (dialog->objectName().isEmpty())
        dialog->setObjectName("ui_about_info_t");
    dialog->resize(381, 258);
    QFont font;
    font.setPointSize(9);
    dialog->setFont(font);
    dialog->setStyleSheet("color: rgb(255, 255, 255);\nbackground-color: qlineargradient(spread:repeat, x1:0, y1:0, "
                          "x2:1, y2:1, stop:0.0397727 rgba(51, 51, 51, 255), stop:1 rgba(255, 255, 255, 255));");
    label_exe_name = new QLabel(dialog);
    label_exe_name->setObjectName("label_exe_name");
    label_exe_name->setGeometry(QRect(60, 10, 301, 61));
    label_exe_name->setFont(big_font(31));
    label_exe_name->setStyleSheet("color: rgb(255, 255, 255);");
    label_exe_icon = new QLabel(dialog);
    label_exe_icon->setObjectName("label_exe_icon");
    label_exe_icon->setGeometry(QRect(20, 10, 31, 61));
    label_exe_icon->setPixmap(QPixmap(":/Image/resources/image_ondrix.png").scaled(32, 32, Qt::KeepAspectRatio,
                                                                                   Qt::SmoothTransformation));
    label_exe_icon->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label_version = new QLabel(dialog);
    label_version->setObjectName("label_version");
    label_version->setGeometry(QRect(10, 100, 351, 31));
    label_version->setFont(big_font(15));
    label_version->setStyleSheet("color: rgb(255, 255, 255);");
    label_right = new QLabel(dialog);
    label_right->setObjectName("label_right");
    label_right->setGeometry(QRect(10, 140, 351, 31));
    label_right->setFont(big_font(15));
    label_right->setStyleSheet("color: rgb(255, 255, 255);");
    btn_ok = new QPushButton(dialog);
    btn_ok->setObjectName("btn_ok");
    btn_ok->setGeometry(QRect(290, 210, 81, 41));
    retranslate_ui(dialog);
    QMetaObject::connectSlotsByName(dialog);
}

void ui_about_info_form_t::retranslate_ui(QDialog *dialog)
{
    dialog->setWindowTitle(QCoreApplication::translate("ui_about_info_t", "About Ondrix"));
    label_exe_name->setText(QCoreApplication::translate("ui_about_info_t", "Ondrix"));
    label_right->setText(QCoreApplication::translate("ui_about_info_t", "Ondrix developers. All rights reserved."));
    btn_ok->setText(QCoreApplication::translate("ui_about_info_t", "OK"));
}

ui_about_info_t::ui_about_info_t(QWidget *parent) : QDialog(parent, Qt::WindowFlags()), ui(new ui_about_info_form_t)
{
    ui->setup_ui(this);
    setAttribute(Qt::WA_DeleteOnClose);
    Qt::WindowFlags flags = windowFlags();
    flags &= ~(Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowContextHelpButtonHint);
    setWindowFlags(flags | Qt::Dialog);
    setFixedHeight(height());
    setFixedWidth(width());
    setWindowModality(Qt::ApplicationModal);
    init_form();
}

ui_about_info_t::~ui_about_info_t() { delete ui; }

void ui_about_info_t::init_form()
{
    for (QLabel *label : {ui->label_exe_icon, ui->label_exe_name, ui->label_right, ui->label_version})
        label->setStyleSheet("color: white;background-color: transparent;");
    ui->btn_ok->setObjectName("BtnStyle");
    connect(ui->btn_ok, SIGNAL(clicked()), this, SLOT(btn_slot_func()));
    m_version_text = tr("Version:") + ONDRIX_PRODUCT_VERSION;
    ui->label_version->setText(m_version_text);
}

void ui_about_info_t::btn_slot_func()
{
    if (sender() == ui->btn_ok)
        close();
}
