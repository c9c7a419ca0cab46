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

void Form1::showPicture(PictureButton* button, const char* fileName, bool down) {
    // Read from disk every time, beside the program.
    button->loadPicture(QDir(pictureDir_).filePath(QString::fromLatin1(fileName)), down);
}

void Form1::showCorvaneView(bool visible) {
    lblSelect->setVisible(visible);
    showPicture(picCorvane, visible ? "picCorvaneDown.jpg" : "picCorvane.jpg", visible);
}

void Form1::showStaffView(bool visible) {
    lstAgents->setVisible(visible);
    lblAgents->setVisible(visible);
    showPicture(picStaff, visible ? "picStaffDown.jpg" : "picStaff.jpg", visible);
}

void Form1::showDelaysView(bool visible) {
    lstDelays->setVisible(visible);
    lblDelays->setVisible(visible);
    showPicture(picDelays, visible ? "picDelaysDown.jpg" : "picDelays.jpg", visible);
}

void Form1::showStaffInputs(bool visible) {
    for (QWidget* w : std::initializer_list<QWidget*>{lblAcw, lblCalls, lblSlo, lblTalk, txtAcw,
                                                      txtCalls, txtSlo, txtTalk, btnCalculate})
        w->setVisible(visible);
}

void Form1::showTrunksView(bool visible) {
    lblTrunks->setVisible(visible);
    for (QLabel* l : {lblBusyH, lblErlangH, lblRequired1, lblRequired2}) l->setVisible(visible);
    for (std::size_t i = 0; i < model::kTrunkGroups; ++i) {
        for (QWidget* w : std::initializer_list<QWidget*>{lblBusy[i], lblErlang[i], txtBusy[i],
                                                          txtErlang[i], txtRequired[i]})
            w->setVisible(visible);
    }
    btnTrunks->setVisible(visible);
    showPicture(picTrunks, visible ? "picTrunksDown.jpg" : "picTrunks.jpg", visible);
}

void Form1::showView() {
    const model::ViewGroups shown = model::GroupsShownBy(model_.view);
    showCorvaneView(shown.opening);
    showStaffView(shown.staffTable);
    showDelaysView(shown.delayTable);
    showStaffInputs(shown.staffInputs);
    showTrunksView(shown.trunks);
}

void Form1::setView(model::View view) {
    model_.view = view;
    showView();
}

}  // namespace corvane::ui
