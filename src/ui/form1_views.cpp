// The four views: which controls show and which picture each of the four
// picture buttons carries.
#include <QDir>

#include <initializer_list>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "ui/form1.h"
#include "ui/picture_button.h"

namespace corvane::ui {

void Form1::ShowPicture(PictureButton* button, const char* fileName, bool down) {
    // Read from disk every time, beside the program.
    button->SetPictureFile(QDir(pictureDir_).filePath(QString::fromLatin1(fileName)), down);
}

void Form1::ShowCorvaneView(bool visible) {
    selectHint_->setVisible(visible);
    ShowPicture(corvanePicture_, visible ? "picCorvaneDown.jpg" : "picCorvane.jpg", visible);
}

void Form1::ShowStaffView(bool visible) {
    agentsList_->setVisible(visible);
    agentsTitle_->setVisible(visible);
    ShowPicture(staffPicture_, visible ? "picStaffDown.jpg" : "picStaff.jpg", visible);
}

void Form1::ShowDelaysView(bool visible) {
    delaysList_->setVisible(visible);
    delaysTitle_->setVisible(visible);
    ShowPicture(delaysPicture_, visible ? "picDelaysDown.jpg" : "picDelays.jpg", visible);
}

void Form1::ShowStaffInputs(bool visible) {
    for (QWidget* w :
         std::initializer_list<QWidget*>{acwTitle_, callsTitle_, sloTitle_, talkTitle_, acwField_,
                                         callsField_, sloField_, talkField_, calculateButton_})
        w->setVisible(visible);
}

void Form1::ShowTrunksView(bool visible) {
    trunksTitle_->setVisible(visible);
    for (QLabel* l : {busyHeading_, erlangHeading_, requiredTitle1_, requiredTitle2_})
        l->setVisible(visible);
    for (std::size_t i = 0; i < model::kTrunkGroups; ++i) {
        for (QWidget* w :
             std::initializer_list<QWidget*>{busyTitles_[i], erlangTitles_[i], busyFields_[i],
                                             erlangFields_[i], requiredFields_[i]})
            w->setVisible(visible);
    }
    trunksButton_->setVisible(visible);
    ShowPicture(trunksPicture_, visible ? "picTrunksDown.jpg" : "picTrunks.jpg", visible);
}

void Form1::ShowView() {
    const model::ViewGroups shown = model::GroupsShownBy(model_.view);
    ShowCorvaneView(shown.opening);
    ShowStaffView(shown.staffTable);
    ShowDelaysView(shown.delayTable);
    ShowStaffInputs(shown.staffInputs);
    ShowTrunksView(shown.trunks);
}

void Form1::SetView(model::View view) {
    model_.view = view;
    ShowView();
}

}  // namespace corvane::ui
