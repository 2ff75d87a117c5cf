#include "model/doc/DocView.h"

#include "model/object/DrawObj.h"
#include "platform/ObList.h"

bool IDocView::IsSelected(const CDrawObj* object) const {
    return GetSelection().Find(const_cast<CDrawObj*>(object)) != nullptr;
}
