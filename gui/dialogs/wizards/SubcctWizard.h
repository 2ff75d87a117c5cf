#pragma once
// The "Sub-circuit Wizard": step 1 chooses between a new sub-circuit, a symbol for an existing
// schematic and a schematic for an existing symbol; step 2 collects the signals; step 3 puts
// each signal's pin on a side of the symbol, picks the style and colours, and previews the
// symbol. A schematic chosen in step 1 is read into a document of the wizard's own, so that a
// document the user has open is never closed or changed.

#include <QWizard>
#include <memory>

#include "model/symbol/SubcctSignals.h"

class CDlgScctWiz1;
class CDlgScctWiz2;
class CDlgScctWiz3;
class CDrawDoc;
class CSymbol;

class CSubcctWizard : public QWizard {
    Q_OBJECT
public:
    enum Mode { kNewSubcct = 0, kFromSchematic = 1, kFromSymbol = 2 };
    enum PageId { kStep1 = 0, kStep2 = 1, kStep3 = 2 };

    explicit CSubcctWizard(CDrawDoc& active, QWidget* parent = nullptr);
    ~CSubcctWizard() override;

    CDrawDoc& ActiveDocument() const { return m_active; }
    int Mode() const { return m_mode; }
    void SetMode(int mode) { m_mode = mode; }
    // Reads the schematic at path; its ports become the signals. False when it cannot be read.
    bool OpenSchematic(const CString& path);
    CDrawDoc* OpenedDocument() const { return m_opened.get(); }
    const CString& OpenedPath() const { return m_openedPath; }
    CSymbol* ChosenSymbol() const { return m_chosen; }
    void SetChosenSymbol(CSymbol* symbol) { m_chosen = symbol; }
    CSubcctSignals& Signals() { return m_signals; }

    // A new symbol as step 3 shows it (the caller owns it).
    CSymbol* MakeSymbol() const;

    CDlgScctWiz1* Step1() const { return m_step1; }
    CDlgScctWiz2* Step2() const { return m_step2; }
    CDlgScctWiz3* Step3() const { return m_step3; }

private:
    CDrawDoc& m_active;
    std::unique_ptr<CDrawDoc> m_opened;
    CString m_openedPath;
    CSymbol* m_chosen = nullptr;
    CSubcctSignals m_signals;
    int m_mode = kNewSubcct;
    CDlgScctWiz1* m_step1;
    CDlgScctWiz2* m_step2;
    CDlgScctWiz3* m_step3;
};
