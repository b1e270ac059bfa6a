#pragma once
#include <QDialog>
#include <QMap>
#include <QString>
#include <list>
#include <string>

class QHBoxLayout;
class Ui_ui_panel_form_t;
class ui_control_panel_t;

// The device control panel: one page per device chosen from the Control Panel menu and,
// beneath the pages, one picture button per device that brings its page forward. Pages
// and buttons are never removed, also when their device is unplugged.
class ui_panel_form_t : public QDialog
{
    Q_OBJECT
public:
    explicit ui_panel_form_t(QWidget *parent);
    ~ui_panel_form_t() override;
    ui_panel_form_t(const ui_panel_form_t &) = delete;
    ui_panel_form_t &operator=(const ui_panel_form_t &) = delete;

    // Adds the device's page and button once per name; neither changes the current page
    // nor shows the dialog.
    void add_device(const QString &name);
    // The VISA resource names of the USB instruments found now, in the order found; empty
    // when the search fails.
    static std::list<std::string> get_device_names();

    // The page added under the name, or null.
    ui_control_panel_t *device_page(const QString &name) const { return m_device_map.value(name, nullptr); }
    QWidget *current_page() const;

public slots:
    // Brings the named device's page to the front; does not show the dialog.
    void open_panel(QString dev_name);

private:
    Ui_ui_panel_form_t *m_form;
    QMap<QString, ui_control_panel_t *> m_device_map;
    QHBoxLayout *m_device_layout;
};
