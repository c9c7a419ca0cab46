#pragma once

// Shared set-up for the main-window tests: a shown, active Form1 whose
// message boxes are recorded instead of shown.
#define QTEST_QPA_MOUSE_HANDLING
#include <QtTest>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <memory>
#include <vector>

#include "model/view.h"
#include "ui/form1.h"
#include "ui/picture_button.h"

namespace corvane::testing {

struct ShownMessage {
    QString text;
    QString title;
    bool operator==(const ShownMessage& o) const { return text == o.text && title == o.title; }
};

inline char* toString(const ShownMessage& m) {
    return QTest::toString(QStringLiteral("[%1 | %2]").arg(m.text, m.title));
}

class FormFixture {
public:
    explicit FormFixture(const QString& pictureDir = QStringLiteral(CORVANE_PICTURE_DIR))
        : form(std::make_unique<ui::Form1>(pictureDir)) {
        form->setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
        form->SetMessageFunction([this](const QString& text, const QString& title) {
            messages.push_back({text, title});
            if (onMessage) onMessage();
        });
        form->show();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }

    template <typename T = QWidget>
    T* find(const QString& name) const {
        T* w = form->findChild<T*>(name);
        if (!w) qWarning("no control %s", qPrintable(name));
        return w;
    }
    QLineEdit* field(const QString& name) const { return find<QLineEdit>(name); }
    QListWidget* list(const QString& name) const { return find<QListWidget>(name); }

    QStringList items(const QString& listName) const {
        QStringList out;
        QListWidget* l = list(listName);
        for (int i = 0; i < l->count(); ++i) out << l->item(i)->text();
        return out;
    }

    // A real click at the window level: it passes the focus checks.
    void click(QWidget* w) const {
        QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, w->rect().center());
    }
    void clickView(const char* button) const { click(find(QString::fromLatin1(button))); }

    // Puts the focus in a field and types a text over it; and presses Tab.
    QLineEdit* typeOver(const QString& name, const QString& text) const {
        QLineEdit* f = field(name);
        f->setFocus(Qt::OtherFocusReason);
        f->selectAll();
        QTest::keyClicks(f, text);
        return f;
    }
    void typeAndTab(const QString& name, const QString& text) const {
        QTest::keyClick(typeOver(name, text), Qt::Key_Tab);
    }

    // The staffing view with four figures (the worked example unless
    // given), each left by Tab; and calculated by a click on Calculate.
    void typeStaffing(const QStringList& figures = {"180", "30", "100", "20"}) const {
        clickView("picStaff");
        for (int i = 0; i < 4; ++i)
            typeAndTab(QStringList{"txtTalk", "txtAcw", "txtCalls", "txtSlo"}[i], figures[i]);
    }
    void calculateStaffing(const QStringList& figures = {"180", "30", "100", "20"}) const {
        typeStaffing(figures);
        click(find(QStringLiteral("btnCalculate")));
    }

    // A trunk group's two figures, each left by Tab, and its answer.
    void fillGroup(int i, const QString& erlangs, const QString& busy) const {
        typeAndTab(QStringLiteral("txtErlang(%1)").arg(i), erlangs);
        typeAndTab(QStringLiteral("txtBusy(%1)").arg(i), busy);
    }
    QString required(int i) const {
        return field(QStringLiteral("txtRequired(%1)").arg(i))->text();
    }

    // The view as the window's procedures name it.
    QString view() const { return QString::fromLatin1(model::ViewText(form->Model().view)); }

    std::unique_ptr<ui::Form1> form;
    std::vector<ShownMessage> messages;
    std::function<void()> onMessage;
};

}  // namespace corvane::testing
