#include "ui_qmessagebox.h"

#include "messagebox_icon_style.h"

ui_qmessagebox_t::ui_qmessagebox_t(QWidget *parent) : QMessageBox(parent)
{
    setObjectName("MessageBoxStyle");
}

ui_qmessagebox_t::ui_qmessagebox_t(QMessageBox::Icon icon, const QString &title,
                                   const QString &text, QMessageBox::StandardButtons buttons,
                                   QWidget *parent, Qt::WindowFlags flags)
    : QMessageBox(icon, title, text, buttons, parent, flags),
      icon_style(new MessageboxIconStyle)
{
    // Named before the style goes in, so the buttons made above are polished by the rule.
    setObjectName("MessageBoxStyle");
    setStyle(icon_style.get());
}

ui_qmessagebox_t::~ui_qmessagebox_t()
{
    // Back to the application style before ours goes, so nothing draws with a dead one.
    if (icon_style)
        setStyle(nullptr);
}
