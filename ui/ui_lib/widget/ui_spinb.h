#pragma once
#include <QSpinBox>

// Integer spin box with committed entry: digits being typed are not yet a value to
// report; Enter, leaving the field and arrow steps commit it.
class ui_spinb_t : public QSpinBox
{
    Q_OBJECT
public:
    explicit ui_spinb_t(QWidget *parent = nullptr);

    bool is_commit() const { return commit; }
    void set_commit(bool value) { commit = value; }

    // True when the shown value may be reported; false while digits are being typed.
    bool commit;

signals:
    void focus_in_info_signal();
    void focus_out_info_signal();
    void press_enter_info_signal();
    void clicked_signal();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

public:
    void stepBy(int steps) override;
};
