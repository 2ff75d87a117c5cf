#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <tuple>

#include "gui/dialogs/device/DlgDevice.h"
#include "gui/dialogs/device/DlgPowerPins.h"
#include "gui/dialogs/objects/DlgOtherAttr.h"
#include "gui/kit/EditListCtrl.h"
#include "gui/support/QtTestApp.h"
#include "library/LibraryFile.h"
#include "library/LibraryItemData.h"
#include "model/app/SchematicApp.h"
#include "model/device/Device.h"
#include "model/device/ImplicitPins.h"
#include "model/doc/DrawDoc.h"
#include "model/object/StdAttrNames.h"
#include "model/symbol/Symbol.h"
#include "platform/Archive.h"
#include "platform/MemFile.h"
#include "platform/Paths.h"
#include "support/ScriptedLibraryPicker.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

namespace {

const std::filesystem::path kStandardLibraries =
    std::filesystem::path(VOSK_BINARY_DIR) / "Libraries";

// The device as its record stores it.
std::vector<BYTE> DeviceBytes(CDevice& device) {
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    device.Serialize(ar);
    ar.Close();
    return file.Detach();
}

class DlgDeviceTest : public ::testing::Test {
protected:
    DlgDeviceTest() { QtTestApp::ensure(); }

    static void Type(CEditListCtrl& list, int row, int column, const char* text) {
        list.item(row, column)->setText(text);
    }
    // The in-place editor while a cell is being edited.
    static QLineEdit* Editor(const CEditListCtrl& list) {
        for (QLineEdit* editor : list.viewport()->findChildren<QLineEdit*>()) {
            if (editor->isVisible())
                return editor;
        }
        return nullptr;
    }
};

TEST_F(DlgDeviceTest, ARowCopiedAndPastedIntoTheEmptyRowFillsItsCellsAndAddsARow) {
    CEditListCtrl list(kListKeepEmptyRow | kListRowsGrow, nullptr);
    list.AppendRow(1, 4);
    list.SetRowCells(0, {"A", "1", "B", ""});
    list.AppendRow(1, 1);
    list.SelectOnly(0);
    list.CopyRows();
    EXPECT_EQ(QApplication::clipboard()->text(), QString("A\x01"
                                                         "1\x01"
                                                         "B\x01"));
    QApplication::clipboard()->setText(
        QString("A\x01"
                "1\x01"
                "B"));
    list.SelectOnly(1);
    list.PasteRows();
    ASSERT_EQ(list.rowCount(), 3);
    EXPECT_EQ(list.RowCells(1), (std::vector<CString>{"A", "1", "B"}));
    EXPECT_EQ(list.CellCount(2), 1);
}

TEST_F(DlgDeviceTest, TypingIntoARowsLastCellGrowsItAndTheList) {
    CEditListCtrl list(kListKeepEmptyRow | kListRowsGrow, nullptr);
    list.AppendRow(1, 1);
    Type(list, 0, 0, "U");
    EXPECT_EQ(list.rowCount(), 2);  // a new empty row
    EXPECT_EQ(list.CellCount(0), 2);
    Type(list, 0, 1, "a");
    Type(list, 0, 2, "A");
    ASSERT_EQ(list.columnCount(), 4);
    EXPECT_EQ(list.horizontalHeaderItem(2)->text(), "Pin");
    EXPECT_EQ(list.horizontalHeaderItem(3)->text(), "#");
    EXPECT_TRUE(list.IsEditable(0, 3));
    EXPECT_FALSE(list.IsEditable(1, 3));
}

TEST_F(DlgDeviceTest, CtrlCCopiesEverySelectedRowAndCtrlVPastesThemInTurn) {
    CEditListCtrl list(kListKeepEmptyRow | kListRowsGrow, nullptr);
    list.AppendRow(1, 2);
    list.SetRowCells(0, {"A", "1"});
    list.AppendRow(1, 2);
    list.SetRowCells(1, {"B", "2"});
    list.AppendRow(1, 1);
    list.show();
    list.SelectOnly(0);
    QTest::keyClick(&list, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(&list, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QString("A\x01"
                                                         "1\r\n"
                                                         "B\x01"
                                                         "2"));
    list.SelectOnly(2);
    QTest::keyClick(&list, Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(list.rowCount(), 5);
    EXPECT_EQ(list.RowCells(2), (std::vector<CString>{"A", "1"}));
    EXPECT_EQ(list.RowCells(3), (std::vector<CString>{"B", "2"}));
    EXPECT_EQ(list.RowCells(4), (std::vector<CString>{""}));
}

TEST_F(DlgDeviceTest, DeleteAndClearRemoveTheSelectedDeletableRowsButNotTheEmptyOne) {
    for (Qt::Key key : {Qt::Key_Delete, Qt::Key_Clear}) {
        CEditListCtrl list(kListKeepEmptyRow, nullptr);
        for (const char* name : {"A", "B", "C"}) {
            list.AppendRow(name[0] == 'B' ? 2 : 2 | kRowDeletable, 2);
            list.SetRowCells(list.rowCount() - 1, {name, "x"});
        }
        list.AppendRow(2 | kRowDeletable, 2);  // the empty row
        list.show();
        list.SelectOnly(0);
        QTest::keyClick(&list, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(&list, key);
        ASSERT_EQ(list.rowCount(), 2) << key;
        EXPECT_EQ(list.RowCells(0)[0], "B");
        EXPECT_EQ(list.RowCells(1)[0], "");
        EXPECT_EQ(list.currentRow(), 1);
    }
}

TEST_F(DlgDeviceTest, ScrollingTheListEndsTheEditKeepingTheText) {
    CEditListCtrl list(0, nullptr);
    for (int i = 0; i < 40; ++i)
        list.AppendRow(1, 1);
    list.resize(200, 150);
    list.show();
    auto typeInto = [&list](int row, const char* text) {
        ASSERT_TRUE(list.EditCell(row, 0));
        QLineEdit* editor = Editor(list);
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, text);
    };
    typeInto(0, "U1");
    list.verticalScrollBar()->setValue(5);
    EXPECT_EQ(Editor(list), nullptr);
    EXPECT_EQ(list.item(0, 0)->text(), "U1");

    typeInto(6, "U2");
    const QPoint inside = list.viewport()->rect().center();
    QWheelEvent wheel(inside, list.viewport()->mapToGlobal(inside), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(list.viewport(), &wheel);
    EXPECT_EQ(Editor(list), nullptr);
    EXPECT_EQ(list.item(6, 0)->text(), "U2");
}

TEST_F(DlgDeviceTest, AClickOnARowsImageCyclesItsCheck) {
    CEditListCtrl list(kListKeepEmptyRow | kListRowImages | kListCheckImages, nullptr);
    list.AppendRow(2 | kRowThreeState | kRowMixed, 2);
    list.AppendRow(2, 2);
    list.AppendRow(2 | kRowNoCheck, 2);
    list.show();
    auto clickImage = [&list](int row) {
        const QRect cell = list.visualRect(list.model()->index(row, 0));
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                          QPoint(cell.left() + 10, cell.center().y()));
        return list.Image(row);
    };
    EXPECT_EQ(list.Image(0), RowImage::kMixed);
    EXPECT_EQ(clickImage(0), RowImage::kUnchecked);
    EXPECT_EQ(clickImage(0), RowImage::kChecked);
    EXPECT_EQ(clickImage(0), RowImage::kMixed);
    EXPECT_EQ(list.Image(1), RowImage::kUnchecked);
    EXPECT_EQ(clickImage(1), RowImage::kChecked);
    EXPECT_TRUE(list.GetRowData(1) & kRowChecked);
    EXPECT_EQ(clickImage(1), RowImage::kUnchecked);
    EXPECT_EQ(clickImage(2), RowImage::kNoCheck);

    // Text in the last row appends a row of kind 2; without check images rows show none.
    Type(list, 2, 0, "Name");
    ASSERT_EQ(list.rowCount(), 4);
    EXPECT_EQ(list.GetRowData(3) & kRowKindMask, 2u);
    CEditListCtrl plain(kListRowImages, nullptr);
    plain.AppendRow(2 | kRowChecked, 2);
    EXPECT_EQ(plain.Image(0), RowImage::kNone);
}

TEST_F(DlgDeviceTest, OkRefusesAMissingPinNumberAndThenStoresTheWholeDevice) {
    testsupport::ScriptedPrompt prompt({IDOK});
    CDevice device;
    CDlgDevice dialog(device, DeviceForm::NewDevice(), nullptr);
    dialog.show();
    EXPECT_EQ(dialog.field(kDeviceFieldName)->text(), "New Device");
    CEditListCtrl* map = dialog.map();
    ASSERT_EQ(map->rowCount(), 2);  // the hidden pins and the empty row
    Type(*map, 0, 2, "VCC");
    Type(*map, 0, 3, "14");
    Type(*map, 1, 0, "U");
    Type(*map, 1, 1, "a");
    Type(*map, 1, 2, "A");
    EXPECT_TRUE(dialog.grab().save(QString(VOSK_BINARY_DIR) + "/device-properties.png"));
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].text, "Error - pin number missing.");
    EXPECT_EQ(map->currentColumn(), 3);
    EXPECT_EQ(device.GetAttrCount(), 0);  // nothing stored before every check passed

    Type(*map, 1, 3, "1");
    dialog.field(kDeviceFieldName)->setText("Buffer");
    prompt.Answer(IDYES);  // VCC is kept on no net
    dialog.accept();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(prompt.shown().size(), 2u);
    EXPECT_EQ(device.GetStdAttr(kStdAttrImplicit),
              "VCC\x01"
              "14");
    const DeviceForm stored = DeviceForm::Load(device);
    ASSERT_EQ(stored.rows.size(), 2u);
    EXPECT_EQ(stored.rows[1], (DeviceForm::Row{"U", "a", "A", "1"}));
    EXPECT_EQ(device.GetStdAttr(kStdAttrName), "Buffer");
}

// A hidden pin whose name or number holds a blank or a comma would come back from "_Implicit"
// as other pins: OK refuses it on the cell at fault, and the device stays as it was.
TEST_F(DlgDeviceTest, OkRefusesAHiddenPinThatWouldNotReadBackAsTyped) {
    CDevice device("7404");
    device.SetAttr("_Implicit", "VCC 14 GND 7", TRUE);
    const std::vector<BYTE> before = DeviceBytes(device);
    CDlgDevice dialog(device, DeviceForm::Load(device), nullptr);
    dialog.show();
    CEditListCtrl* map = dialog.map();
    const std::tuple<int, const char*, const char*> cases[] = {
        {2, "V CC", "Pin name contains illegal characters"},
        {5, "7,8", "Pin number contains illegal characters"}};
    for (const auto& [column, text, message] : cases) {
        ASSERT_TRUE(map->EditCell(0, column));
        QLineEdit* editor = Editor(*map);
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();  // the edit ends queued
        EXPECT_EQ(Editor(*map), nullptr);
        testsupport::ScriptedPrompt prompt({IDOK});
        dialog.accept();
        EXPECT_TRUE(dialog.isVisible());
        ASSERT_EQ(prompt.shown().size(), 1u);
        EXPECT_EQ(prompt.shown()[0].text, message);
        EXPECT_EQ(map->currentColumn(), column);
        EXPECT_EQ(DeviceBytes(device), before);
        Type(*map, 0, column, column == 2 ? "VCC" : "7");
    }
}

TEST_F(DlgDeviceTest, AddToLibraryWritesADeviceRecord) {
    testsupport::TempDir dir;
    const std::string path = (dir / "user.rlb").string();
    {
        CLibraryFile library;
        ASSERT_EQ(library.Create(path.c_str()), kCreateDone);
    }
    CDevice device("7404");
    DeviceForm form = DeviceForm::Load(device);
    form.fields[kDeviceFieldDescription] = "Hex inverter";
    CDlgDevice dialog(device, form, nullptr);
    ASSERT_TRUE(dialog.AddToLibrary(QString::fromStdString(path)));
    CLibraryFile library;
    ASSERT_TRUE(library.Open(path.c_str()));
    CLibraryItem item;
    EXPECT_NE(library.FindItem(item, "7404"), kItemNotFound);
    EXPECT_EQ(item.m_description, "Hex inverter");
}

// "Add to &Library..." starts in the user's library folder, stored with backslashes and shown
// as a folder of this system, with no file named yet.
TEST_F(DlgDeviceTest, AddToLibraryStartsInTheUsersLibraryFolder) {
    testsupport::TempDir dir;
    std::filesystem::create_directory(dir / "mine");
    CSchematicApp app(dir / "settings.reg");
    ScopedApp installed(app);
    app.WriteProfileString("Directories", "userlib", ToStoredPath((dir / "mine").string()));
    CDevice device("7404");
    CDlgDevice dialog(device, DeviceForm::Load(device), nullptr);
    QString folder = "not asked";
    QString name = "not asked";
    QTimer::singleShot(0, [&] {
        auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(chooser, nullptr);
        folder = chooser->directory().absolutePath();
        name = chooser->findChild<QLineEdit*>("fileNameEdit")->text();
        chooser->reject();
    });
    for (QPushButton* button : dialog.findChildren<QPushButton*>())
        if (button->text() == "Add to &Library...")
            button->click();
    EXPECT_EQ(folder.toStdString(), (dir / "mine").string());
    EXPECT_EQ(name.toStdString(), "");
}

// A name already in the library: the user is asked whether the record is to be replaced.
TEST_F(DlgDeviceTest, AddToLibraryOffersToReplaceARecordOfTheSameName) {
    testsupport::TempDir dir;
    const std::string path = (dir / "user.rlb").string();
    {
        CLibraryFile library;
        ASSERT_EQ(library.Create(path.c_str()), kCreateDone);
        CDevice old("7404");
        ASSERT_TRUE(library.AddObjects(nullptr, &old, "7404", "Old inverter"));
    }
    CDevice device("7404");
    DeviceForm form = DeviceForm::Load(device);
    form.fields[kDeviceFieldDescription] = "Hex inverter";
    CDlgDevice dialog(device, form, nullptr);
    const auto description = [&path] {
        CLibraryFile library;
        CLibraryItem item;
        return library.Open(path.c_str()) && library.GetItemCount() == 1 &&
                       library.FindItem(item, "7404") != kItemNotFound
                   ? item.m_description
                   : CString("(not one record)");
    };
    const struct {
        int answer;
        bool added;
        const char* description;
    } answers[] = {{IDNO, false, "Old inverter"}, {IDYES, true, "Hex inverter"}};
    for (const auto& a : answers) {
        testsupport::ScriptedPrompt prompt({a.answer});
        EXPECT_EQ(dialog.AddToLibrary(QString::fromStdString(path)), a.added);
        ASSERT_EQ(prompt.shown().size(), 1u);
        EXPECT_EQ(prompt.shown()[0].text,
                  "The item 7404 already exists in library user.rlb.\n\nDo you want to replace "
                  "the item?");
        EXPECT_EQ(description(), a.description);
    }
}

// "S&earch..." picks a footprint item from the libraries; its name becomes the footprint.
TEST_F(DlgDeviceTest, SearchNamesTheFootprintPickedFromTheLibraries) {
    testsupport::TempDir dir;
    {
        CLibraryFile library;
        ASSERT_EQ(library.Create((dir / "pcb.rlb").c_str()), kCreateDone);
        CLibraryItem item("DIP14", "dual in line", kItemFootprint);
        ASSERT_TRUE(library.AddObjectList(CObList(), item, FALSE));
    }
    CDevice device("7404");
    DeviceForm form = DeviceForm::Load(device);
    form.fields[kDeviceFieldFootprint] = "SO14";
    CDlgDevice dialog(device, form, nullptr);
    dialog.show();
    QPushButton* search = nullptr;
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        if (button->text() == "S&earch...")
            search = button;
    }
    ASSERT_NE(search, nullptr);
    {
        testsupport::ScriptedLibraryPicker nothing(dir.path(), "");
        QTest::mouseClick(search, Qt::LeftButton);
        EXPECT_EQ(nothing.calls, 1);
        EXPECT_EQ(dialog.field(kDeviceFieldFootprint)->text(), "SO14");
    }
    testsupport::ScriptedLibraryPicker picker(dir.path(), "DIP14");
    QTest::mouseClick(search, Qt::LeftButton);
    EXPECT_EQ(picker.options, kSearchSingleChoice | kSearchFootprints);
    EXPECT_EQ(dialog.field(kDeviceFieldFootprint)->text(), "DIP14");
}

// Attributes edited on their page wait for OK: Cancel leaves the device as it was. "_Map"
// belongs to the symbol map and is refused there.
TEST_F(DlgDeviceTest, AttributesAreKeptUntilOk) {
    testsupport::ScriptedPrompt prompt({IDOK, IDOK});
    CDevice device("7404");
    device.SetAttr("Tol", "5%", TRUE);
    const auto edit = [](CDlgDevice& dialog) {
        QTimer::singleShot(0, [] {
            auto* sheet = qobject_cast<CPropertySheet*>(QApplication::activeModalWidget());
            ASSERT_NE(sheet, nullptr);
            auto* page = static_cast<CDlgOtherAttr*>(sheet->Page(0));
            QTableWidget* table = page->table();
            const int last = table->rowCount() - 1;
            table->item(last, 0)->setText("_Map");
            sheet->accept();
            EXPECT_TRUE(sheet->isVisible());
            table->item(last, 0)->setText("Rev");
            table->item(last, 1)->setText("B");
            table->clearSelection();
            for (int row = 0; row < table->rowCount(); ++row) {
                if (table->item(row, 0)->text() == "Tol")
                    table->selectRow(row);
            }
            page->DeleteRows();
            sheet->accept();
            EXPECT_FALSE(sheet->isVisible());
        });
        dialog.EditAttributes();
    };
    {
        CDlgDevice dialog(device, DeviceForm::Load(device), nullptr);
        edit(dialog);
        EXPECT_EQ(dialog.Edited().GetAttr("Rev"), "B");
        dialog.reject();
    }
    EXPECT_EQ(device.GetAttr("Tol"), "5%");
    EXPECT_EQ(device.GetAttr("Rev"), "");
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].text,
              "Use the Device Properties dialog box to set the _Map attribute.");

    CDlgDevice dialog(device, DeviceForm::Load(device), nullptr);
    edit(dialog);
    dialog.accept();
    EXPECT_EQ(device.GetAttr("Rev"), "B");
    CString unused;
    EXPECT_FALSE(device.Lookup("Tol", unused));
    EXPECT_EQ(device.GetStdAttr(kStdAttrName), "7404");
}

// Power pins edited in their dialog wait for the Device Properties' OK too.
TEST_F(DlgDeviceTest, PowerPinsAreKeptUntilOk) {
    CDevice device("7400");
    const auto edit = [](CDlgDevice& dialog) {
        QTimer::singleShot(0, [] {
            auto* pins = qobject_cast<CDlgPowerPins*>(QApplication::activeModalWidget());
            ASSERT_NE(pins, nullptr);
            pins->nameEdit()->setText("VCC");
            pins->numberEdit()->setText("14");
            pins->netBox()->setCurrentText("Power1");
            pins->Add();
            pins->accept();
        });
        dialog.EditPowerPins();
    };
    {
        CDlgDevice dialog(device, DeviceForm::Load(device), nullptr);
        edit(dialog);
        EXPECT_EQ(dialog.Edited().GetAttr("_Implicit"),
                  "VCC\x01"
                  "14");
        dialog.reject();
    }
    EXPECT_EQ(device.GetAttr("_Implicit"), "");
    CDlgDevice dialog(device, DeviceForm::Load(device), nullptr);
    edit(dialog);
    dialog.accept();
    EXPECT_EQ(device.GetAttr("_Implicit"),
              "VCC\x01"
              "14");
    EXPECT_EQ(device.GetAttr("VCC.Net"), "Power1");
}

// Every device of the standard library loads into the dialog, its hidden pins as pairs; an
// untouched OK finds no problem and gives back the device's bytes as they were.
TEST_F(DlgDeviceTest, EveryStandardDeviceLoadsAndAnUntouchedOkChangesNothing) {
    CDrawDoc doc;
    int devices = 0;
    int withHiddenPins = 0;
    for (const char* library : {"basic.rlb", "discrete.rlb", "logic.rlb"}) {
        CLibraryFile file;
        ASSERT_TRUE(file.Open((kStandardLibraries / library).c_str())) << library;
        for (int index = 0; index < file.GetItemCount(); ++index) {
            CLibraryItemData item;
            ASSERT_TRUE(file.ReadItem(&doc, index, item));
            auto* symbol = dynamic_cast<CSymbol*>(item.m_objects.GetHead());
            CDevice* device = symbol ? symbol->GetDevice() : nullptr;
            if (!device)
                continue;
            ++devices;
            const std::vector<BYTE> before = DeviceBytes(*device);
            testsupport::ScriptedPrompt prompt;
            CDlgDevice dialog(*device, DeviceForm::Load(*device), nullptr);
            const std::vector<CString> hidden = dialog.map()->RowCells(0);
            if (!device->GetAttr("_Implicit").IsEmpty()) {
                ++withHiddenPins;
                EXPECT_EQ(hidden.size() % 2, 1u) << item.m_name << ": pairs and an empty cell";
                EXPECT_GE(hidden.size(), 5u) << item.m_name;
            }
            dialog.accept();
            EXPECT_EQ(dialog.result(), QDialog::Accepted) << item.m_name;
            EXPECT_TRUE(prompt.shown().empty()) << item.m_name << ": " << prompt.shown()[0].text;
            EXPECT_EQ(DeviceBytes(*device), before) << item.m_name;
        }
    }
    EXPECT_GE(devices, 16);        // the logic gates and the discrete parts with lettered pins
    EXPECT_GE(withHiddenPins, 7);  // the logic gates
}

// The 7400 as the standard library stores it: "VCC 14 GND 7" shows as two pairs, the power pins
// looked at and left keep it, and the device goes into a library as it is.
TEST_F(DlgDeviceTest, TheHiddenPinsOfAStandardGateShowAsPairsAndItCanBeAddedToALibrary) {
    testsupport::TempDir dir;
    const std::string path = (dir / "user.rlb").string();
    {
        CLibraryFile library;
        ASSERT_EQ(library.Create(path.c_str()), kCreateDone);
    }
    CDevice device("7400");
    device.SetAttr("_Implicit", "VCC 14 GND 7", TRUE);
    device.SetAttr("VCC.Net", "Power1", TRUE);
    CDlgDevice dialog(device, DeviceForm::Load(device), nullptr);
    EXPECT_EQ(dialog.map()->RowCells(0),
              (std::vector<CString>{"", "", "VCC", "14", "GND", "7", ""}));
    QTimer::singleShot(0, [] {
        auto* pins = qobject_cast<CDlgPowerPins*>(QApplication::activeModalWidget());
        ASSERT_NE(pins, nullptr);
        pins->accept();
    });
    dialog.EditPowerPins();
    EXPECT_EQ(dialog.Edited().GetAttr("_Implicit"), "VCC 14 GND 7");
    EXPECT_TRUE(dialog.Edited().IsEqual(device));
    testsupport::ScriptedPrompt prompt;
    ASSERT_TRUE(dialog.AddToLibrary(QString::fromStdString(path)));
    CLibraryFile library;
    ASSERT_TRUE(library.Open(path.c_str()));
    CLibraryItem item;
    EXPECT_NE(library.FindItem(item, "7400"), kItemNotFound);
}

}  // namespace

// A hidden pin renamed in the map keeps its rail: its "<name>.Net" follows the new name, under
// a plain new name and under one that carries its number, and the Power Pins dialog opened
// after the rename shows the net.
TEST_F(DlgDeviceTest, AHiddenPinRenamedInTheMapKeepsItsNet) {
    for (const char* renamed : {"VDD", "VCC(14)"}) {
        CDevice device("7400");
        device.SetAttr("_Implicit", "VCC 14 GND 7", TRUE);
        device.SetAttr("VCC.Net", "Power1", TRUE);
        device.SetAttr("GND.Net", "Ground1", TRUE);
        CDlgDevice dialog(device, DeviceForm::Load(device), nullptr);
        dialog.show();
        CEditListCtrl* map = dialog.map();
        ASSERT_TRUE(map->EditCell(0, 2));
        QLineEdit* editor = Editor(*map);
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, renamed);
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();
        CString shownNet;
        QTimer::singleShot(0, [&shownNet] {
            auto* pins = qobject_cast<CDlgPowerPins*>(QApplication::activeModalWidget());
            ASSERT_NE(pins, nullptr);
            pins->pinList()->setCurrentRow(1);  // sorted by name: GND first
            shownNet = pins->netBox()->currentText().toStdString().c_str();
            pins->reject();
        });
        dialog.EditPowerPins();
        EXPECT_EQ(shownNet, "Power1") << renamed;
        testsupport::ScriptedPrompt prompt;
        dialog.accept();
        EXPECT_EQ(dialog.result(), QDialog::Accepted) << renamed;
        EXPECT_TRUE(prompt.shown().empty()) << renamed;
        EXPECT_EQ(device.GetAttr("_Implicit"), CString(renamed) +
                                                   "\x01"
                                                   "14\x01"
                                                   "GND\x01"
                                                   "7");
        EXPECT_EQ(device.GetAttr(CString(renamed) + ".Net"), "Power1") << renamed;
        CString stale;
        EXPECT_FALSE(device.Lookup("VCC.Net", stale)) << renamed;
        EXPECT_EQ(device.GetAttr("GND.Net"), "Ground1");
    }
}

// A hidden pin that would be on no net is told before OK stores it; "No" keeps the dialog open
// on the pin's cell with the device as it was, "Yes" stores it. Pins already without a net,
// as loaded, are not asked about again.
TEST_F(DlgDeviceTest, OkAsksAboutAHiddenPinLeftOnNoNet) {
    CDevice device("7400");
    device.SetAttr("_Implicit", "VCC 14 NC 1", TRUE);
    device.SetAttr("VCC.Net", "Power1", TRUE);
    const std::vector<BYTE> before = DeviceBytes(device);
    CDlgDevice dialog(device, DeviceForm::Load(device), nullptr);
    dialog.show();
    CEditListCtrl* map = dialog.map();
    ASSERT_EQ(map->RowCells(0).size(), 7u);
    Type(*map, 0, 6, "GND");
    Type(*map, 0, 7, "7");
    {
        testsupport::ScriptedPrompt prompt({IDNO});
        dialog.accept();
        ASSERT_EQ(prompt.shown().size(), 1u);
        EXPECT_EQ(prompt.shown()[0].text,
                  "Warning : the nets of these hidden pins change:\nGND (7): new, on no net\n"
                  "Netlists leave out a pin on no net (Power Pins gives it one).\nDo you wish "
                  "to keep these nets?");
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(map->currentColumn(), 6);
        EXPECT_EQ(DeviceBytes(device), before);
    }
    testsupport::ScriptedPrompt prompt({IDYES});
    dialog.accept();
    EXPECT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(ParseImplicitPins(device.GetAttr("_Implicit").str()).size(), 3u);
}

namespace {

// A 7400 whose hidden pins are "VCC 14 GND 7" or as given, VCC on Power1 and the second pin's
// name on Ground1, in Device Properties; OK answered No.
struct SupplyEdit {
    explicit SupplyEdit(const char* second = "GND", const char* number = "7")
        : device(Supplied(second, number)) {
        dialog.show();
    }
    static CDevice Supplied(const char* second, const char* number) {
        CDevice gates("7400");
        gates.SetAttr("_Implicit", CString("VCC 14 ") + second + " " + number, TRUE);
        gates.SetAttr("VCC.Net", "Power1", TRUE);
        gates.SetAttr(CString(second) + ".Net", "Ground1", TRUE);
        return gates;
    }
    // The one question OK asks, the dialog left open on the device as it was.
    std::string Question() {
        const std::vector<BYTE> before = DeviceBytes(device);
        testsupport::ScriptedPrompt prompt({IDNO});
        dialog.accept();
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(DeviceBytes(device), before);
        return prompt.shown().size() == 1 ? prompt.shown()[0].text.str() : std::string();
    }

    CDevice device;
    CDlgDevice dialog{device, DeviceForm::Load(device), nullptr};
};

}  // namespace

// Whichever road moves hidden pins between supplies or leaves them on none, OK asks once,
// listing every such pin: names swapped or shifted in the map, two pins added without a net,
// and a pin added on Power Pins with its net left empty.
TEST_F(DlgDeviceTest, OkListsEveryHiddenPinWhoseSupplyChangesInOneQuestion) {
    using testing::HasSubstr;
    {
        SupplyEdit swapped;
        Type(*swapped.dialog.map(), 0, 2, "GND");
        Type(*swapped.dialog.map(), 0, 4, "VCC");
        const std::string question = swapped.Question();
        EXPECT_THAT(question, HasSubstr("GND (14): Power1 -> Ground1\n"));
        EXPECT_THAT(question, HasSubstr("VCC (7): Ground1 -> Power1\n"));
    }
    {
        SupplyEdit shifted("VDD", "13");
        Type(*shifted.dialog.map(), 0, 2, "VDD");
        Type(*shifted.dialog.map(), 0, 4, "AVDD");
        const std::string question = shifted.Question();
        EXPECT_THAT(question, HasSubstr("VDD (14): Power1 -> Ground1\n"));
        EXPECT_THAT(question, HasSubstr("AVDD (13): Ground1 -> Power1\n"));
    }
    {
        SupplyEdit added;
        Type(*added.dialog.map(), 0, 6, "A");
        Type(*added.dialog.map(), 0, 7, "1");
        Type(*added.dialog.map(), 0, 8, "B");
        Type(*added.dialog.map(), 0, 9, "2");
        const std::string question = added.Question();
        EXPECT_THAT(question, HasSubstr("A (1): new, on no net\n"));
        EXPECT_THAT(question, HasSubstr("B (2): new, on no net\n"));
        EXPECT_EQ(added.dialog.map()->currentColumn(), 6);
    }
    SupplyEdit powerPins;
    QTimer::singleShot(0, [] {
        auto* pins = qobject_cast<CDlgPowerPins*>(QApplication::activeModalWidget());
        ASSERT_NE(pins, nullptr);
        pins->nameEdit()->setText("AVDD");
        pins->numberEdit()->setText("13");
        pins->netBox()->setCurrentText("");
        pins->Add();
        pins->accept();
    });
    powerPins.dialog.EditPowerPins();
    EXPECT_THAT(powerPins.Question(), HasSubstr("AVDD (13): on no net\n"));
}
