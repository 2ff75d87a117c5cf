#pragma once
// CObjectEditCmd: one object of the document replaced by an edited copy ("object edit").
// Doing and undoing exchange the two in the document's list. The command owns the one that is
// outside the document (the copy at first) and deletes it with itself.

#include "model/cmd/ExchangeCmd.h"

class CObjectEditCmd : public CExchangeCmd {
public:
    CObjectEditCmd(CDrawObj* inDocument, CDrawObj* replacement)
        : m_inside(inDocument), m_outside(replacement) {}
    ~CObjectEditCmd() override;
    CObjectEditCmd(const CObjectEditCmd&) = delete;
    CObjectEditCmd& operator=(const CObjectEditCmd&) = delete;

    // Empties every view's selection and puts the outside object in the place of the inside
    // one. FALSE, changing nothing, when the inside one is not in the document or there is no
    // replacement.
    BOOL Do(CDrawDoc* doc) override;
    const char* GetName() const override { return "object edit"; }

private:
    CDrawObj* m_inside;
    CDrawObj* m_outside;
};
