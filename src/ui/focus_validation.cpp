#include "ui/focus_validation.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QWindow>

namespace corvane::ui {

namespace {

struct DepthGuard {
    explicit DepthGuard(int& d) : depth(d) { ++depth; }
    ~DepthGuard() { --depth; }
    int& depth;
};

}  // namespace

FocusValidation::FocusValidation(QWidget* window) : QObject(window), window_(window) {
    qApp->installEventFilter(this);
}

FocusValidation::~FocusValidation() { qApp->removeEventFilter(this); }

void FocusValidation::SetLeaveCheck(QWidget* field, Check check) {
    leaveChecks_[field] = {field, std::move(check)};
}

void FocusValidation::SetEntryCheck(QWidget* control, Check check) {
    entryChecks_[control] = {control, std::move(check)};
}

void FocusValidation::SkipValidation(QWidget* control) { noValidation_[control] = control; }

bool FocusValidation::ValidateFocused() {
    QWidget* focused = QApplication::focusWidget();
    if (!focused || !BelongsToWindow(focused)) return true;
    return RunCheck(leaveChecks_, focused);
}

bool FocusValidation::BelongsToWindow(const QWidget* w) const {
    return w && window_ && w->window() == window_;
}

bool FocusValidation::RunCheck(Checks& checks, QWidget* w) {
    const auto it = checks.find(w);
    if (it == checks.end() || it->second.first.isNull()) return true;
    DepthGuard guard(depth_);
    return it->second.second();
}

bool FocusValidation::AllowMoveTo(QWidget* target) {
    QWidget* focused = QApplication::focusWidget();
    if (!target || target == focused || !BelongsToWindow(target)) return true;
    if (noValidation_.count(target)) return true;
    if (focused && BelongsToWindow(focused) && !RunCheck(leaveChecks_, focused)) return false;
    return RunCheck(entryChecks_, target);
}

QWidget* FocusValidation::ClickFocusTarget(QWidget* under) const {
    // Walk up as Qt does when it picks the widget a click gives focus to.
    for (QWidget* w = under; w; w = w->parentWidget()) {
        if (w->isWindow()) return nullptr;
        QWidget* proxy = w->focusProxy() ? w->focusProxy() : w;
        if (w->isEnabled() && (w->focusPolicy() & Qt::ClickFocus) &&
            (proxy->focusPolicy() & Qt::ClickFocus))
            return proxy;
    }
    return nullptr;
}

bool FocusValidation::FilterMousePress(QEvent* event) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint local = window_->mapFromGlobal(mouse->globalPosition().toPoint());
    QWidget* under = window_->childAt(local);
    // The menu bar takes no focus, so a click there finds no target.
    QWidget* target = under ? ClickFocusTarget(under) : nullptr;
    if (!target || AllowMoveTo(target)) return false;
    // The release of a refused press is eaten only while the button is
    // still held: when the check's message box took the release, the next
    // click must not lose its own.
    swallowRelease_ = (QGuiApplication::mouseButtons() & mouse->button()) != 0;
    swallowButton_ = mouse->button();
    return true;
}

bool FocusValidation::FilterKeyPress(QObject* watched, QEvent* event) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab) return false;
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
    QWidget* focused = QApplication::focusWidget();
    if (watched != focused || !BelongsToWindow(focused)) return false;
    return !RunCheck(leaveChecks_, focused);
}

bool FocusValidation::FilterShortcut(QObject* watched) {
    auto* target = qobject_cast<QWidget*>(watched);
    if (!target || qobject_cast<QMenuBar*>(target) || qobject_cast<QMenu*>(target)) return false;
    if (!AllowMoveTo(target)) return true;
    // An access key ends as a click does: with the focus on its button.
    if (qobject_cast<QAbstractButton*>(target) && (target->focusPolicy() & Qt::TabFocus) &&
        target->isVisible() && target->isEnabled())
        target->setFocus(Qt::ShortcutFocusReason);
    return false;
}

bool FocusValidation::eventFilter(QObject* watched, QEvent* event) {
    if (!window_ || depth_ > 0) return false;
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            if (!watched->isWindowType()) return false;
            // A new press anywhere (a message box's OK included) ends the
            // refused one: its release is no longer awaited.
            swallowRelease_ = false;
            // Seen at the window handle, before Qt moves the focus.
            if (watched == window_->windowHandle()) return FilterMousePress(event);
            return false;
        case QEvent::MouseButtonRelease:
            if (swallowRelease_ && watched == window_->windowHandle() &&
                static_cast<QMouseEvent*>(event)->button() == swallowButton_) {
                swallowRelease_ = false;
                return true;
            }
            return false;
        case QEvent::KeyPress: return FilterKeyPress(watched, event);
        case QEvent::Shortcut: return FilterShortcut(watched);
        default: return false;
    }
}

}  // namespace corvane::ui
