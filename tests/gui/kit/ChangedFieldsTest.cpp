// A page applies only the fields the user changed: what the page shows when it is loaded, or
// shows again itself, is none of the user's; what the user types, chooses or clicks is, and so
// is any other value the field comes to show.

#include "gui/kit/ChangedFields.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QVBoxLayout>
#include <map>
#include <string>

#include "gui/kit/PropertySheet.h"
#include "gui/support/QtTestApp.h"

namespace {

// A page of one field of each kind, filled when loaded; OK records which fields it applies.
class FieldsPage : public CPropertyPage {
public:
    FieldsPage() : CPropertyPage("Fields") {
        auto* layout = new QVBoxLayout(this);
        for (QWidget* field : std::initializer_list<QWidget*>{edit, combo, box, list})
            layout->addWidget(field);
        combo->addItems({"None", "By Pin", "All"});
        list->addItems({"Arial", "Courier", "Times"});
    }

    QLineEdit* edit = new QLineEdit;
    QComboBox* combo = new QComboBox;
    QCheckBox* box = new QCheckBox("&Bold");
    QListWidget* list = new QListWidget;
    std::map<std::string, bool> applied;

    // Shows the edit's value in another form, as a switch of units does.
    void ShowOtherwise(const QString& text) {
        Reshow(edit, [this, text] { edit->setText(text); });
    }

protected:
    void OnLoad() override {
        edit->setText("0.394");
        combo->setCurrentIndex(1);
        box->setTristate(true);
        box->setCheckState(Qt::PartiallyChecked);
    }
    void OnApply() override {
        applied = {{"edit", IsChanged(edit)},
                   {"combo", IsChanged(combo)},
                   {"box", IsChanged(box)},
                   {"list", IsChanged(list)}};
    }
};

class ChangedFieldsTest : public ::testing::Test {
protected:
    ChangedFieldsTest() {
        sheet.AddPage(page);
        sheet.show();
    }

    std::map<std::string, bool> Applied(std::map<std::string, bool> changed) {
        std::map<std::string, bool> all{
            {"edit", false}, {"combo", false}, {"box", false}, {"list", false}};
        for (const auto& [field, value] : changed)
            all[field] = value;
        return all;
    }

    bool app = (QtTestApp::ensure(), true);
    CPropertySheet sheet{"Sheet"};
    FieldsPage* page = new FieldsPage;
};

TEST_F(ChangedFieldsTest, AnUntouchedPageAppliesNoField) {
    // The focus alone makes no row of a list without a current one current.
    QFocusEvent focus(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(page->list, &focus);
    EXPECT_EQ(page->list->currentItem(), nullptr);
    page->ShowOtherwise("1");
    sheet.accept();
    EXPECT_EQ(page->applied, Applied({}));
}

// Each field driven by the keys or the mouse; those that come back to the value they were
// shown with were still the user's.
TEST_F(ChangedFieldsTest, WhatTheUserTypesChoosesOrClicksIsApplied) {
    // Typed over with the same text: typed all the same.
    page->edit->selectAll();
    QTest::keyClicks(page->edit, "0.394");
    // Another entry chosen and then the one shown: chosen all the same.
    QTest::keyClick(page->combo, Qt::Key_Down);
    EXPECT_EQ(page->combo->currentIndex(), 2);
    QTest::keyClick(page->combo, Qt::Key_Up);
    EXPECT_EQ(page->combo->currentIndex(), 1);
    for (int i = 0; i < 3; ++i)  // unchecked, checked and back to mixed, by the user
        QTest::keyClick(page->box, Qt::Key_Space);
    EXPECT_EQ(page->box->checkState(), Qt::PartiallyChecked);
    const QRect times = page->list->visualItemRect(page->list->item(2));
    QTest::mouseClick(page->list->viewport(), Qt::LeftButton, {}, times.center());
    EXPECT_EQ(page->list->currentRow(), 2);
    sheet.accept();
    EXPECT_EQ(page->applied,
              Applied({{"edit", true}, {"combo", true}, {"box", true}, {"list", true}}));
}

// A changed field shown again by the page stays changed; a page never loaded applies all.
TEST_F(ChangedFieldsTest, AChangedFieldShownAgainStaysChanged) {
    page->edit->setText("2");
    page->ShowOtherwise("5.08");
    page->ShowOtherwise("2");
    sheet.accept();
    EXPECT_EQ(page->applied, Applied({{"edit", true}}));

    FieldsPage alone;
    ASSERT_TRUE(alone.OnOK());
    EXPECT_EQ(alone.applied,
              Applied({{"edit", true}, {"combo", true}, {"box", true}, {"list", true}}));
}

}  // namespace
