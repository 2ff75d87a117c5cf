#include "model/doc/TitleBlockLayout.h"

#include <algorithm>

#include "model/shapes/DrawRect.h"
#include "model/text/AttrText.h"
#include "platform/ObList.h"

namespace {

constexpr int kWhole = 1000;
constexpr LOGBRUSH kWhiteBrush{BS_SOLID, 0xFFFFFF, 0};
constexpr DWORD kFieldObjectFlags = 0x3;

}  // namespace

CTitleField* CTitleRow::AddField(const char* name, DWORD kind, int share) {
    auto field = std::make_unique<CTitleField>();
    field->name = name;
    field->kind = kind;
    field->share = share;
    m_fields.push_back(std::move(field));
    return m_fields.back().get();
}

std::unique_ptr<CTitleField> CTitleRow::RemoveField(const CTitleField* field) {
    const auto at = std::find_if(m_fields.begin(), m_fields.end(),
                                 [field](const auto& own) { return own.get() == field; });
    if (at == m_fields.end())
        return nullptr;
    std::unique_ptr<CTitleField> removed = std::move(*at);
    m_fields.erase(at);
    return removed;
}

CTitleRow::Extent CTitleRow::GetFieldExtent(int index) const {
    int fixed = 0;
    int shared = 0;
    for (const auto& field : m_fields) {
        if (field->share > 0)
            fixed += field->share;
        else
            ++shared;
    }
    const int sharedShare = shared ? (kWhole - fixed) / shared : 0;
    auto shareOf = [sharedShare](const CTitleField& field) {
        return field.share > 0 ? field.share : sharedShare;
    };
    Extent extent{0, 0};
    for (int i = 0; i < index; ++i)
        extent.offset += shareOf(*m_fields[size_t(i)]);
    extent.share = shareOf(*m_fields[size_t(index)]);
    return extent;
}

CTitleBlockLayout::CTitleBlockLayout() {
    using Kind = CTitleField::Kind;
    m_rows[0].AddField("Company", Kind::kAttribute, 0);
    m_rows[1].AddField("Comments", Kind::kAttribute, 600);
    m_rows[1].AddField("Title", Kind::kAttribute, 0);
    m_rows[2].m_share = 350;
    for (const char* name : {"Revision", "Drawn By", "Date Created", "Last Saved", "File"})
        m_rows[2].AddField(name, Kind::kAttribute, 200);
}

int CTitleBlockLayout::CountSharedRows() const {
    int count = 0;
    for (int row = 0; row < m_rowCount; ++row)
        count += m_rows[row].m_share <= 0;
    return count;
}

int CTitleBlockLayout::SumFixedRowShares() const {
    int sum = 0;
    for (int row = 0; row < m_rowCount; ++row)
        sum += std::max(m_rows[row].m_share, 0);
    return sum;
}

int CTitleBlockLayout::SharedRowShare() const {
    const int shared = CountSharedRows();
    return shared ? (kWhole - SumFixedRowShares()) / shared : 0;
}

int CTitleBlockLayout::RowShare(int row) const {
    return m_rows[row].m_share > 0 ? m_rows[row].m_share : SharedRowShare();
}

CDrawObj* CTitleBlockLayout::CreateFieldObject(int field, int row, CObject* owner) const {
    const CTitleField& source = *m_rows[row].GetField(field);
    switch (source.kind & 0x7) {
        case CTitleField::kFrame:
            return new CDrawRect(CRect());
        case CTitleField::kAttribute: {
            auto* text = new CAttrText(CRect());
            text->Bind(owner, source.name.c_str());
            text->SetBrush(&kWhiteBrush);
            text->SetFlags(kFieldObjectFlags, kFieldObjectFlags);
            text->SetTextFlags(kAttrStyleTitleBlock, kAttrStyleTitleBlock);
            return text;
        }
        default:
            return nullptr;
    }
}

CRect CTitleBlockLayout::GetFieldCell(const CRect& block, int field, int row) const {
    int offset = 0;
    for (int before = 0; before < row; ++before)
        offset += RowShare(before);
    const CTitleRow::Extent extent = m_rows[row].GetFieldExtent(field);
    const int width = block.right - block.left;
    const int height = block.bottom - block.top;
    CRect cell;
    cell.left = block.left + MulDiv(offset, width, kWhole);
    cell.right = cell.left + MulDiv(RowShare(row), width, kWhole);
    cell.top = block.top + MulDiv(extent.offset, height, kWhole);
    cell.bottom = cell.top + MulDiv(extent.share, height, kWhole);
    return cell;
}

void CTitleBlockLayout::PlaceFieldObject(CDrawObj* object, const CRect& block, int field,
                                         int row) const {
    object->MoveTo(GetFieldCell(block, field, row), nullptr);
}

void CTitleBlockLayout::CreateFieldObjects(const CRect& block, CObject* owner,
                                           CObList& objects) const {
    for (int row = 0; row < m_rowCount; ++row) {
        for (int field = 0; field < m_rows[row].GetFieldCount(); ++field) {
            if (CDrawObj* object = CreateFieldObject(field, row, owner)) {
                PlaceFieldObject(object, block, field, row);
                objects.AddTail(object);
            }
        }
    }
}
