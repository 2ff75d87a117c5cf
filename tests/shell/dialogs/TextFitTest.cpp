// Every dialog and property sheet, at the size it opens with, shows its title, each label,
// button and check box text, each column heading and each spin box value whole.

#include <gtest/gtest.h>

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QTableView>
#include <QTimer>
#include <QTreeView>
#include <QWizard>
#include <set>
#include <sstream>

#include "gui/dialogs/commands/DlgChooseDevice.h"
#include "gui/dialogs/commands/DlgConnectWire.h"
#include "gui/dialogs/commands/DlgSelectNet.h"
#include "gui/dialogs/commands/NetsShortedDlg.h"
#include "gui/dialogs/device/DlgDevice.h"
#include "gui/dialogs/document/DlgFrameGrid.h"
#include "gui/dialogs/document/DlgTitleBlockSize.h"
#include "gui/dialogs/objects/DlgModifyAttr.h"
#include "gui/dialogs/objects/DlgSpiceSource.h"
#include "gui/dialogs/objects/InsertSymbolPropSheet.h"
#include "gui/dialogs/objects/PinSheetDlg.h"
#include "gui/dialogs/objects/SymbolPropertiesSheet.h"
#include "gui/dialogs/objects/WireSheetDlg.h"
#include "gui/drc/DlgNewPinType.h"
#include "gui/drc/DrcMatrixWnd.h"
#include "gui/kit/PropertySheet.h"
#include "gui/library/DlgFind.h"
#include "gui/library/DlgLibItem.h"
#include "gui/library/DlgReplaceSymbol.h"
#include "gui/library/FileFilterDlg.h"
#include "gui/library/PalettePropPage.h"
#include "gui/netlist/spice/DlgSpiceFormat.h"
#include "gui/netlist/spice/DlgSpiceRefNet.h"
#include "gui/netlist/tools/NewToolDlg.h"
#include "gui/netlist/writers/BomOptionsDlg.h"
#include "library/LibraryFile.h"
#include "model/device/Device.h"
#include "model/doc/DrawDoc.h"
#include "model/net/Bus.h"
#include "model/net/Net.h"
#include "model/net/Wire.h"
#include "model/net/WireSheet.h"
#include "model/shapes/DrawRect.h"
#include "model/symbol/Pin.h"
#include "model/symbol/PinPropForm.h"
#include "model/symbol/Symbol.h"
#include "model/symbol/SymbolSheet.h"
#include "model/text/TextBox.h"
#include "netlist/walker/ReportUi.h"
#include "resources/CommandIds.h"
#include "shell/app/ReportWindows.h"
#include "shell/support/AppFixture.h"
#include "shell/view/DrawView.h"

namespace {

// A text as it shows: a mnemonic's "&" is not drawn, "&&" shows one "&".
QString Shown(QString text) {
    text.replace("&&", QChar(0x1));
    text.remove('&');
    text.replace(QChar(0x1), '&');
    return text;
}

int WidestLine(const QFontMetrics& metrics, const QString& text) {
    int widest = 0;
    for (const QString& line : text.split('\n'))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return widest;
}

QString Name(const QWidget& widget) {
    return QString("%1 in %2")
        .arg(widget.metaObject()->className(), widget.window()->metaObject()->className());
}

// Collects what a window on show cuts: texts wider than their room, and tables that need a
// horizontal scroll bar in a window that could still widen (a row wider than the screen
// scrolls in a window of most of its width).
class TextFitCheck {
public:
    void Check(QWidget& window) {
        CheckTitle(window);
        const bool canWiden =
            window.width() < window.screen()->availableGeometry().width() * 8 / 10;
        for (QWidget* widget : window.findChildren<QWidget*>()) {
            if (!widget->isVisible())
                continue;
            if (auto* label = qobject_cast<QLabel*>(widget))
                CheckLabel(*label);
            else if (auto* button = qobject_cast<QAbstractButton*>(widget))
                CheckButton(*button);
            else if (auto* spin = qobject_cast<QAbstractSpinBox*>(widget))
                CheckSpin(*spin);
            else if (auto* header = qobject_cast<QHeaderView*>(widget))
                CheckHeader(*header);
            else if (auto* matrix = qobject_cast<CDrcMatrixWnd*>(widget))
                CheckMatrix(*matrix);
            if (auto* table = qobject_cast<QAbstractItemView*>(widget);
                table && (qobject_cast<QTableView*>(table) || qobject_cast<QTreeView*>(table)) &&
                table->horizontalScrollBar()->isVisible() && canWiden)
                m_faults.push_back(Name(*widget) + " shows a horizontal scroll bar");
        }
    }
    // Checks a window and each page of a sheet or wizard, then closes it.
    void CheckAndClose(QWidget& window) {
        m_windows.push_back(window.metaObject()->className());
        if (auto* sheet = qobject_cast<CPropertySheet*>(&window)) {
            for (int page = 0; page < sheet->PageCount(); ++page)
                if (sheet->SetCurrentPage(page))
                    Check(window);
        } else if (auto* wizard = qobject_cast<QWizard*>(&window)) {
            for (int id = wizard->currentId(); id != -1 && m_steps.insert(id).second;
                 id = (wizard->next(), wizard->currentId()))
                Check(window);
            m_steps.clear();
        } else {
            Check(window);
        }
        if (auto* dialog = qobject_cast<QDialog*>(&window))
            dialog->reject();
    }
    // Runs a command that opens modal windows; each is checked as it opens and then closed.
    void CheckModal(const std::function<void()>& open, const char* what) {
        const size_t before = m_windows.size();
        QTimer probe;
        probe.setInterval(5);
        QObject::connect(&probe, &QTimer::timeout, [this] {
            if (QWidget* modal = QApplication::activeModalWidget(); modal && modal->isVisible())
                CheckAndClose(*modal);
        });
        probe.start();
        open();
        probe.stop();
        if (m_windows.size() == before)
            m_faults.push_back(QString(what) + " opened no window");
    }
    // Clicks the button of a shown window that carries the text; the windows it opens modally
    // are checked.
    void CheckButtonOpens(QWidget& window, const QString& text) {
        for (QPushButton* button : window.findChildren<QPushButton*>())
            if (button->text() == text)
                return CheckModal([button] { button->click(); }, qPrintable(Shown(text)));
        m_faults.push_back(Name(window) + " has no button " + text);
    }
    void CheckShown(QWidget& window) {
        window.show();
        QApplication::processEvents();
        CheckAndClose(window);
    }

    std::string Faults() const {
        std::ostringstream text;
        for (const QString& fault : m_faults)
            text << fault.toStdString() << "\n";
        return text.str();
    }
    std::string Windows() const {
        std::string names;
        for (const QString& name : m_windows)
            names += name.toStdString() + " ";
        return names;
    }

private:
    void Report(const QWidget& widget, const QString& text, int needed, int room) {
        m_faults.push_back(QString("%1 \"%2\" needs %3 pixels, has %4")
                               .arg(Name(widget), text)
                               .arg(needed)
                               .arg(room));
    }
    // The title bar shows the title in bold beside at least three buttons about as wide as
    // the bar is high.
    void CheckTitle(const QWidget& window) {
        QFont bold = window.font();
        bold.setBold(true);
        const int bar = window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window);
        const int needed = QFontMetrics(bold).horizontalAdvance(window.windowTitle()) + 3 * bar;
        if (needed > window.width())
            Report(window, window.windowTitle(), needed, window.width());
    }
    void CheckLabel(const QLabel& label) {
        if (label.wordWrap() || label.text().isEmpty() || Qt::mightBeRichText(label.text()))
            return;
        const QString text = label.buddy() ? Shown(label.text()) : label.text();
        const int room =
            label.contentsRect().width() - 2 * label.margin() - std::max(label.indent(), 0);
        const int needed = WidestLine(label.fontMetrics(), text);
        if (needed > room)
            Report(label, text, needed, room);
    }
    void CheckButton(const QAbstractButton& button) {
        QStyle::SubElement contents;
        if (qobject_cast<const QCheckBox*>(&button))
            contents = QStyle::SE_CheckBoxContents;
        else if (qobject_cast<const QRadioButton*>(&button))
            contents = QStyle::SE_RadioButtonContents;
        else if (qobject_cast<const QPushButton*>(&button))
            contents = QStyle::SE_PushButtonContents;
        else
            return;
        if (button.text().isEmpty())
            return;
        QStyleOptionButton option;
        option.initFrom(&button);
        option.text = button.text();
        option.icon = button.icon();
        option.iconSize = button.iconSize();
        int room = button.style()->subElementRect(contents, &option, &button).width();
        if (!button.icon().isNull() && contents == QStyle::SE_PushButtonContents)
            room -= button.iconSize().width() + 4;
        const QString text = Shown(button.text());
        const int needed = WidestLine(button.fontMetrics(), text);
        if (needed > room)
            Report(button, text, needed, room);
    }
    void CheckSpin(const QAbstractSpinBox& spin) {
        const QLineEdit* edit = spin.findChild<QLineEdit*>();
        if (!edit || !edit->isVisible())
            return;
        const QMargins margins = edit->textMargins();
        // The edit keeps two pixels clear on either side of its text.
        const int room = edit->contentsRect().width() - margins.left() - margins.right() - 4;
        const int needed = edit->fontMetrics().horizontalAdvance(spin.text());
        if (needed > room)
            Report(spin, spin.text(), needed, room);
    }
    void CheckHeader(const QHeaderView& header) {
        if (header.orientation() != Qt::Horizontal || !header.model())
            return;
        const int margin = header.style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, &header);
        for (int section = 0; section < header.count(); ++section) {
            if (header.isSectionHidden(section))
                continue;
            const QString text = header.model()->headerData(section, Qt::Horizontal).toString();
            const int needed = header.fontMetrics().horizontalAdvance(text) + 2 * margin;
            if (needed > header.sectionSize(section))
                Report(header, text, needed, header.sectionSize(section));
        }
    }

    // The type names run down from 5 pixels below the rule matrix's grid, under its columns.
    void CheckMatrix(const CDrcMatrixWnd& matrix) {
        const DrcMatrixLayout& layout = matrix.Layout();
        const QFontMetrics metrics(matrix.LabelFont());
        const int room = matrix.viewport()->height() - (layout.GridBottom() + 5);
        for (int type = 0; type < layout.types; ++type) {
            const QString text = matrix.LabelText(type);
            if (metrics.horizontalAdvance(text) > room)
                Report(matrix, text, metrics.horizontalAdvance(text), room);
            if (layout.CellLeft(type) + layout.cell > matrix.viewport()->width())
                Report(matrix, text, layout.CellLeft(type) + layout.cell,
                       matrix.viewport()->width());
        }
    }

    std::vector<QString> m_faults;
    std::vector<QString> m_windows;
    std::set<int> m_steps;
};

// A wire, a text, a rectangle and a device symbol with two pins, for their property sheets.
void AddObjects(CDrawDoc& doc) {
    auto wire = std::make_unique<CWire>();
    wire->AddPoint(CPoint(1000, -1000));
    wire->AddPoint(CPoint(2000, -1000));
    auto* net = new CNet("N1");
    net->AddRef();
    wire->SetNet(net);
    doc.AddObject(std::move(wire));
    auto text = std::make_unique<CTextBox>(CRect(3000, -1000, 4000, -1300));
    text->SetText("Note", FALSE);
    doc.AddObject(std::move(text));
    doc.AddObject(std::make_unique<CDrawRect>(CRect(5000, -1000, 6000, -2000)));
    auto symbol = std::make_unique<CSymbol>();
    symbol->SetFlags(kSymbolDevice, kSymbolKindMask);
    symbol->SetAttr("_Name", "NAND", kSetAttrForce);
    symbol->SetAttr("_ID", "U1", kSetAttrForce);
    for (const char* pinId : {"A", "Y"}) {
        auto* pin = new CPin(symbol.get());
        pin->SetAttr("_ID", pinId, kSetAttrForce);
        symbol->GetPins().AddTail(pin);
    }
    doc.AddObject(std::move(symbol));
}

using TextFitTest = AppFixture;

TEST_F(TextFitTest, EveryDialogShowsItsTextsWhole) {
    auto app = Start({QString::fromStdString(MakeSchematic("fit.sch"))});
    ASSERT_TRUE(m_started);
    auto* view = dynamic_cast<CDrawView*>(app->GetActiveView());
    ASSERT_NE(view, nullptr);
    CDrawDoc& doc = view->GetDocument();
    AddObjects(doc);
    TextFitCheck check;
    const auto run = [&](UINT id, const char* what) {
        check.CheckModal([&] { app->MainFrame()->router().Execute(id); }, what);
    };
    for (POSITION pos = doc.GetObjects().GetHeadPosition(); pos;) {
        auto* object = static_cast<CDrawObj*>(doc.GetObjects().GetNext(pos));
        if (object->GetObjType() == kObjWire) {
            std::vector<CWire*> wires{static_cast<CWire*>(object)};
            WireSheet sheet = MakeWireSheet(wires);
            StyleApplier style;
            check.CheckModal([&] { CWireSheetRunner().RunWireSheet(sheet, wires, style); },
                             "Wire Properties");
        } else if (object->GetObjType() == kObjSymbol) {
            SymbolSheet sheet = SymbolSheet::Load(doc, {static_cast<CSymbol*>(object)});
            check.CheckModal([&] { CSymbolSheetRunner().RunSymbolSheet(sheet); },
                             "Symbol Properties");
        } else {
            view->Select(object);
            run(ID_EDIT_PROPERTIES, object->GetRuntimeClass()->m_lpszClassName);
        }
    }
    run(ID_EDIT_ROTATE, "Rotate...");
    run(ID_VIEW_DOCUMENT_SETTINGS, "Document Settings");
    run(ID_FILE_PRINT_SETUP, "Print Options");
    run(ID_FILE_SUMMARY_INFO, "Summary Info");
    run(ID_DRAW_INSERT_TITLE_BLOCK, "Insert Title Block");
    run(ID_VIEW_OPTIONS, "Options");
    run(ID_TOOLS_DRC_SETUP, "Design Rule Check Setup");
    run(ID_SUBCIRCUIT_WIZARD, "Sub-circuit Wizard");
    run(ID_GRID_OPTIONS, "Grid options");
    run(ID_CUSTOM_TOOLS_SETUP, "Custom tools");
    run(ID_APP_ABOUT, "About");
    run(ID_LIBRARY_SEARCH, "Library search");
    {
        // The report's window is installed with the program's seams, which the fixture lacks.
        CReportWindows reports(*app);
        ScopedInstall<IReportUi> installed{reports};
        run(ID_TOOLS_GENERATE_REPORT, "Generate Report");
    }
    check.CheckModal([] { CBomOptionsWindow().EditBomOptions(); }, "Bill of Materials");
    {
        std::unique_ptr<CPropertySheet> spice(
            NewSpiceOptionsSheet(app->App().Settings(), &doc.m_netlist, nullptr));
        check.CheckShown(*spice);
    }
    {
        CDevice device("74LS00");
        CDlgDevice dialog(device, DeviceForm::Load(device), nullptr);
        dialog.show();
        QApplication::processEvents();
        check.CheckButtonOpens(dialog, "&Attributes...");
        check.CheckButtonOpens(dialog, "Po&wer Pins...");
        check.CheckAndClose(dialog);
    }
    {
        CSymbol owner;
        auto* pin = new CPin(&owner);
        pin->SetAttr("_ID", "A", kSetAttrForce);
        owner.GetPins().AddTail(pin);
        PinSheet sheet = PinSheet::Load({pin});
        check.CheckModal([&] { CPinSheetRunner().RunPinSheet(sheet); }, "Pin Properties");
    }
    {
        CBus bus;
        std::vector<CBus*> buses{&bus};
        BusSheet sheet = MakeBusSheet(buses);
        StyleApplier style;
        check.CheckModal([&] { CWireSheetRunner().RunBusSheet(sheet, buses, style); },
                         "Bus Properties");
    }
    {
        CDlgFind find([](UINT) {});
        check.CheckShown(find);
    }
    for (auto mode : {CDlgFileFilter::kItemFilter, CDlgFileFilter::kFileFilter}) {
        CDlgFileFilter filter(mode, "*", "RLB");
        check.CheckShown(filter);
    }
    {
        CLibraryFile library;
        LibraryItemForm form;
        form.name = "74LS00";
        form.type = 2;
        CDlgLibItem item(nullptr, form, &library);
        check.CheckShown(item);
        CDlgLibDescription description(nullptr, "passives", LibraryCounts{3, 1, 2});
        check.CheckShown(description);
    }
    {
        CDlgNewPinType newType;
        check.CheckShown(newType);
    }
    {
        const std::string library = VOSK_BINARY_DIR "/Libraries/basic.rlb";
        CDlgReplaceSymbol replace(nullptr, library.c_str(), 0);
        check.CheckShown(replace);
    }
    {
        CNet* net = nullptr;
        CObList symbols;
        for (POSITION pos = doc.GetObjects().GetHeadPosition(); pos;) {
            auto* object = static_cast<CDrawObj*>(doc.GetObjects().GetNext(pos));
            if (object->GetObjType() == kObjWire)
                net = static_cast<CWire*>(object)->GetNet();
            else if (object->GetObjType() == kObjSymbol)
                symbols.AddTail(object);
        }
        CDlgSelectNet selectNet(doc);
        check.CheckShown(selectNet);
        CDlgConnectWire connect(doc, net);
        check.CheckShown(connect);
        CNetsShortedDlg shorted({net}, nullptr);
        check.CheckShown(shorted);
        CDlgChooseDevice choose(doc, symbols);
        check.CheckShown(choose);
        CDlgSpiceRefNet refNet(&doc.m_netlist);
        check.CheckShown(refNet);
    }
    {
        // Each kind of source shows its own parameter columns.
        CSpiceSymbol source;
        CDlgSpiceSource dialog(source);
        for (int kind = 0; kind < dialog.kindBox()->count(); ++kind) {
            dialog.kindBox()->setCurrentIndex(kind);
            check.CheckShown(dialog);
        }
    }
    {
        CDlgModifyAttr modify("Value", "10k", false, {{"Category", "_Cat"}}, nullptr);
        check.CheckShown(modify);
        CInsertSymbolPropSheet insert(0);
        check.CheckShown(insert);
        CDlgFrameGrid grid(1000, false);
        check.CheckShown(grid);
        CDlgTitleBlockSize titleSize(TitleBlockSizeForm{}, false);
        check.CheckShown(titleSize);
        CNewToolDlg newTool;
        check.CheckShown(newTool);
        CPalettePropPage palette;
        check.CheckShown(palette);
    }
    EXPECT_EQ(check.Faults(), "") << check.Windows();
    EXPECT_TRUE(m_prompt.shown().empty()) << m_prompt.shown().front().text.str();
    doc.SetModifiedFlag(FALSE);
    Close(*app);
}

}  // namespace
