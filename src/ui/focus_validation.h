#pragma once

#include <functional>
#include <map>

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace corvane::ui {

// Runs a field's check when the focus is about to leave it for another
// control of the same window -- by Tab or Backtab, by a mouse click, or
// by an access key -- and refuses the move when the check says so: the
// focus and the text stay, and a refused click is swallowed whole.
// Menus and controls marked as not causing validation pass through.
//
// An entry check may also guard a control the focus is about to enter
// (the staffing Calculate button checks for blank fields); when it
// refuses, the click or access key that would have entered it is
// swallowed as well.
class FocusValidation : public QObject {
    Q_OBJECT
public:
    // Returns true to accept, false to refuse (keep the focus).
    using Check = std::function<bool()>;

    explicit FocusValidation(QWidget* window);
    ~FocusValidation() override;

    void SetLeaveCheck(QWidget* field, Check check);
    void SetEntryCheck(QWidget* control, Check check);
    // A control the focus may always enter, whatever the field holds.
    void SkipValidation(QWidget* control);

    // Runs the check of the focused field as if the focus were leaving it;
    // true when there is none or it accepts.
    bool ValidateFocused();

    // True while a check (and so its message box) is running.
    bool Checking() const { return depth_ > 0; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool FilterMousePress(QEvent* event);
    bool FilterKeyPress(QObject* watched, QEvent* event);
    bool FilterShortcut(QObject* watched);
    // May the focus move from the focused field to `target`?
    bool AllowMoveTo(QWidget* target);
    using Checks = std::map<QWidget*, std::pair<QPointer<QWidget>, Check>>;
    // Runs the check registered for `w`; true when there is none.
    bool RunCheck(Checks& checks, QWidget* w);
    QWidget* ClickFocusTarget(QWidget* under) const;
    bool BelongsToWindow(const QWidget* w) const;

    QPointer<QWidget> window_;
    Checks leaveChecks_;
    Checks entryChecks_;
    std::map<QWidget*, QPointer<QWidget>> noValidation_;
    int depth_ = 0;
    bool swallowRelease_ = false;
    Qt::MouseButton swallowButton_ = Qt::NoButton;
};

}  // namespace corvane::ui
