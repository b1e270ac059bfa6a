#pragma once
#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

// The widgets of the About box, created in this order by setup_ui.
struct ui_about_info_form_t
{
    QLabel *label_exe_name = nullptr;
    QLabel *label_exe_icon = nullptr;
    QLabel *label_version = nullptr;
    QLabel *label_right = nullptr;
    QPushButton *btn_ok = nullptr;
    void setup_ui(QDialog *dialog);
    void retranslate_ui(QDialog *dialog);
};

// The About box: name, logo, product version and rights notice over a dark gradient.
// Application-modal, fixed in size, deleted on close.
class ui_about_info_t : public QDialog
{
    Q_OBJECT
public:
    explicit ui_about_info_t(QWidget *parent);
    ~ui_about_info_t() override;

    ui_about_info_form_t *form() const { return ui; }
    QString version_text() const { return m_version_text; }

public slots:
    void btn_slot_func();

private:
    void init_form();

    ui_about_info_form_t *ui;
    QString m_version_text;
};
