#pragma once
#include <QIcon>
#include <QPushButton>

// Tool-bar button with a normal and a grey state. The grey state stays enabled in Qt's
// sense (so its tool tip still shows) but drops mouse presses.
class ui_tbar_btn_t : public QPushButton
{
    Q_OBJECT
public:
    ui_tbar_btn_t(const QIcon &normal, const QIcon &grey, bool enabled);
    explicit ui_tbar_btn_t(QWidget *parent = nullptr);
    ui_tbar_btn_t(const QString &text, QWidget *parent = nullptr);
    ui_tbar_btn_t(const QIcon &icon, const QString &text, QWidget *parent = nullptr);

    void set_btn_enable(bool enabled);
    bool is_btn_enable() const { return btn_enabled; }

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    bool btn_enabled;
    QIcon normal_icon;
    QIcon grey_icon;
};
