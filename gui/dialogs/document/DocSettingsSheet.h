#pragma once
// The document settings sheet of View > Document Settings: the General, Sheet Size, Page
// Margins, Frame and Position and Scaling pages over one settings record, the Attributes page
// over the document's attributes, and the check box "Save as Default Setttings" in the row of
// OK and Cancel.

#include <functional>
#include <utility>

#include "gui/kit/PrinterSetup.h"
#include "gui/kit/PropertySheet.h"
#include "platform/CString.h"

class CAttrMerge;
class CDlgOtherAttr;
class CDrawDoc;
class QCheckBox;
struct DocSettings;

class CDocSettingsSheet : public CPropertySheet {
    Q_OBJECT
public:
    // metric: the application shows lengths in metric units. printer may be replaced on the
    // printing page, which runs setup. attributes: the document's (LoadDocAttributes).
    CDocSettingsSheet(DocSettings& settings, CPrinterChoice& printer, const CAttrMerge& attributes,
                      bool metric, PrinterSetupRunner setup, QWidget* parent = nullptr);

    QCheckBox* saveAsDefaultBox() const { return m_saveAsDefault; }
    // Whether "Save as Default Setttings" was ticked when the sheet closed with OK.
    bool SaveAsDefault() const { return m_bSaveAsDefault; }
    CDlgOtherAttr* attributesPage() const { return m_attributes; }
    // What refuses the attribute page's records at OK: a message, or empty to let them pass.
    void SetAttributeRefusal(std::function<CString(const CAttrMerge&)> refusal) {
        m_refusal = std::move(refusal);
    }

    void accept() override;

protected:
    // A refused attribute page is told and shown, and the sheet stays open.
    bool MayClose() override;

private:
    CDlgOtherAttr* m_attributes;
    std::function<CString(const CAttrMerge&)> m_refusal;
    QCheckBox* m_saveAsDefault;
    bool m_bSaveAsDefault = false;
};

// The command: an unusable stored printer is dropped and the sheet runs on a copy of the
// document's settings. OK records changed ones as one "document settings" step and, with the
// box ticked, writes them as the defaults of new documents; the attribute edits join that step.
// Attribute edits that would give two rails one name are refused at OK, the sheet staying open.
// The printer chosen in the sheet stays with the document even when the sheet is cancelled.
void EditDocumentSettings(CDrawDoc& doc, QWidget* parent,
                          PrinterSetupRunner setup = RunPrinterSetup);
