#pragma once
// The "Position and Scaling" page: where the sheet sits on the printed page (centred or at
// an offset, shown in inches or centimetres), its size (normal, scaled, or fitted to one, two
// or four pages), the grid, monochrome and text-mirroring choices, and the button that sets
// up the printer and paper. A bad field keeps the page; OK writes the settings in place.

#include <optional>

#include "gui/kit/PrinterSetup.h"
#include "gui/kit/PropertySheet.h"
#include "model/doc/PrintScaleForm.h"
#include "model/doc/PrinterChoice.h"

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class CDlgPrintScale : public CPropertyPage {
    Q_OBJECT
public:
    // printer may be replaced through "Printer and Paper..", which runs setup.
    CDlgPrintScale(CPrintSettings& settings, CPrinterChoice& printer,
                   PrinterSetupRunner setup = RunPrinterSetup, QWidget* parent = nullptr);

    QLineEdit* factorEdit() const { return m_factor; }
    QLineEdit* offsetEdit(int axis) const { return axis == 0 ? m_offsetX : m_offsetY; }
    QRadioButton* sizeButton(PrintScaleForm::Size size) const;
    QRadioButton* offsetButton() const { return m_atOffset; }
    QRadioButton* cmButton() const { return m_cm; }
    QPushButton* printerButton() const { return m_printerButton; }

protected:
    bool OnKillActive() override;
    void OnApply() override;

private:
    // What OK writes: the form and the offsets the user changed.
    struct Fields {
        PrintScaleForm form;
        std::optional<LONG> x;
        std::optional<LONG> y;
    };

    // The fields, or none when one is bad: it is reported and focused.
    std::optional<Fields> ReadFields();
    QWidget* CreatePositionGroup();
    QWidget* CreateSizeGroup();
    QWidget* CreateOptionBoxes();
    void UpdateEnabling();
    void ChangeUnits();
    void ShowOffsets();
    // The value of a field the user changed, in 1/1000 inch; none when unchanged. Reports a
    // bad entry (ok false).
    std::optional<LONG> ChangedOffset(QLineEdit* edit, bool& ok);
    bool Metric() const;

    CPrintSettings& m_settings;
    CPrinterChoice& m_printer;
    PrinterSetupRunner m_setup;
    PrintScaleForm m_form;
    const LONG m_shownX;  // what the offset fields stand for while unchanged
    const LONG m_shownY;
    bool m_shownMetric = false;

    QRadioButton* m_centre = nullptr;
    QRadioButton* m_atOffset = nullptr;
    QLabel* m_offsetXLabel = nullptr;
    QLabel* m_offsetYLabel = nullptr;
    QLineEdit* m_offsetX = nullptr;
    QLineEdit* m_offsetY = nullptr;
    QRadioButton* m_inches = nullptr;
    QRadioButton* m_cm = nullptr;
    QButtonGroup* m_sizes = nullptr;
    QLabel* m_factorLabel = nullptr;
    QLineEdit* m_factor = nullptr;
    QCheckBox* m_grid = nullptr;
    QCheckBox* m_monochrome = nullptr;
    QCheckBox* m_mirror = nullptr;
    QPushButton* m_printerButton = nullptr;
};
