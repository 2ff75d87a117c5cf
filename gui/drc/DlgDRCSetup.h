#pragma once
// "DRC Setup Options": which kinds of findings the check reports, one box per check flag.

#include <array>

#include "gui/kit/PropertySheet.h"
#include "platform/Types.h"

class QCheckBox;

class CDlgDRCSetup : public CPropertyPage {
    Q_OBJECT
public:
    // flags: the check flags, shown on loading and set on OK to exactly the checked boxes.
    explicit CDlgDRCSetup(DWORD& flags, QWidget* parent = nullptr);

    // The box of a flag bit, or null.
    QCheckBox* Box(DWORD bit) const;

protected:
    void OnLoad() override;
    void OnApply() override;

private:
    DWORD& m_flags;
    std::array<QCheckBox*, 6> m_boxes;
};
