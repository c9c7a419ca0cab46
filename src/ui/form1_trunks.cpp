// The trunk fields, Clear Trunks and the run over the trunk groups.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "calc/number_format.h"
#include "calc/trunk_search.h"
#include "ui/event_pump.h"
#include "ui/form1.h"

namespace corvane::ui {

// Lets the search run the window's events and show its messages. Once
// the window is closing, every search in the run is cancelled.
class Form1::TrunkSearchBridge : public model::TrunkSearchHost {
public:
    explicit TrunkSearchBridge(Form1& form) : form_(form) {}
    void ServicePendingEvents() override {
        form_.pump_->ProcessPendingEvents();
        if (form_.closing_) form_.model_.trunkRun.CancelGroup();
    }
    void ShowMessage(const std::string& text, const std::string& title) override {
        form_.Message(QString::fromStdString(text), QString::fromStdString(title));
    }

private:
    Form1& form_;
};

void Form1::ClearTrunks() {
    // Clearing under a run in progress would pull its table from under it.
    if (model_.trunkRun.Active()) return;
    model_.ClearTrunks();
    for (std::size_t i = 0; i < model::kTrunkGroups; ++i) {
        erlangFields_[i]->setText(QString());
        busyFields_[i]->setText(QString());
        requiredFields_[i]->setText(QString());
    }
    ShowTrunkResults(model::TrunkRun::kNoGroup);
    // Not reported when the field cannot take the focus (window not shown).
    if (erlangFields_[0]->isVisible()) erlangFields_[0]->setFocus(Qt::OtherFocusReason);
}

void Form1::CalculateTrunks() {
    // One run at a time: a second one would interleave with the first.
    if (model_.trunkRun.Active()) return;
    TrunkSearchBridge bridge(*this);
    const bool buttonHadFocus = trunksButton_->hasFocus();
    cancelHint_->show();
    cancelButton_->show();
    trunksButton_->hide();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    model_.trunkRun.Run(model_.trunks, bridge, Marks(), model_.reports,
                        [this](int group) { ShowTrunkResults(group); });
    QApplication::restoreOverrideCursor();
    cancelHint_->hide();
    cancelButton_->hide();
    // The Calculate button comes back only where it belongs: the user may
    // have switched to another view during the run.
    trunksButton_->setVisible(model_.view == model::View::Trunks);
    if (buttonHadFocus && trunksButton_->isVisible() && !closing_)
        trunksButton_->setFocus(Qt::OtherFocusReason);
    closing_ = false;  // the close it served has happened
}

void Form1::ShowTrunkResults(int group) {
    ShowLines(erlangsList_, model_.reports.trunks);
    if (group == model::TrunkRun::kNoGroup) return;
    const auto i = static_cast<std::size_t>(group);
    requiredFields_[i]->setText(QString::fromStdString(NumberAsText(model_.trunks[i].trunks)));
}

void Form1::CancelTrunks() { model_.trunkRun.CancelGroup(); }

}  // namespace corvane::ui
