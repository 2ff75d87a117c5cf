// Texts copied into a document from a library item, a palette or another document are laid out
// for it with the installed metrics; copies within one document keep their boxes.

#include <gtest/gtest.h>

#include <memory>
#include <string_view>
#include <vector>

#include "model/doc/DrawDoc.h"
#include "model/symbol/Symbol.h"
#include "model/text/AttrText.h"
#include "model/text/TextMetrics.h"
#include "platform/Installed.h"
#include "platform/ObList.h"

namespace {

// Every byte is 50 units wide, whatever the font: far from the fixed-pitch default.
struct WideMetrics : ITextMetrics {
    void MeasureChars(std::string_view text, const LOGFONT&,
                      std::vector<LONG>& cumulative) const override {
        cumulative.clear();
        LONG sum = 0;
        for (std::size_t i = 0; i < text.size(); ++i)
            cumulative.push_back(sum += 50);
    }
};

LONG Width(const CDrawObj* object) {
    return std::abs(object->GetPosition().Width());
}

// A part as the library maker leaves it: no document, its value shown by a text laid out with
// the metrics of the maker (the fixed-pitch default).
struct LibraryPart {
    LibraryPart() {
        symbol->GetAttrMap()->SetAt("_Value", "10k");
        text->Bind(symbol.get(), "_Value");
        symbol->GetAttrTextList()->AddTail(text.get());
        text->SetShownText("10k");
        text->RecalcLayout();
    }
    std::unique_ptr<CSymbol> symbol = std::make_unique<CSymbol>();
    std::unique_ptr<CAttrText> text = std::make_unique<CAttrText>(CRect(0, 0, 0, 0));
};

// Borders of 5 on either side of the measured "10k".
constexpr LONG kFittedWidth = 5 + 3 * 50 + 5;

TEST(CopiedTextLayoutTest, ACopyOfALibraryPartFitsItsTextsFromTheStart) {
    CDrawDoc doc;
    LibraryPart part;
    ASSERT_NE(Width(part.text.get()), kFittedWidth);
    WideMetrics metrics;
    ScopedInstall<ITextMetrics> installed(metrics);

    // The part with its text, copied through the archive; and the text alone, cloned.
    for (bool whole : {true, false}) {
        CObList sources;
        if (whole)
            sources.AddTail(part.symbol.get());
        sources.AddTail(part.text.get());
        CObList copies;
        ASSERT_TRUE(doc.CopyObjects(sources, copies));
        ASSERT_EQ(copies.GetCount(), sources.GetCount());
        auto* copy = dynamic_cast<CAttrText*>(static_cast<CDrawObj*>(copies.GetTail()));
        ASSERT_NE(copy, nullptr);
        EXPECT_EQ(copy->GetText(), "10k");
        EXPECT_EQ(Width(copy), kFittedWidth);
        DeleteListedObjects(copies);
    }
    EXPECT_NE(Width(part.text.get()), kFittedWidth);  // the source is left as it was
}

TEST(CopiedTextLayoutTest, ACopyWithinTheDocumentKeepsItsBox) {
    CDrawDoc doc;
    LibraryPart part;
    CObList sources;
    sources.AddTail(part.symbol.get());
    sources.AddTail(part.text.get());
    CObList placed;
    ASSERT_TRUE(doc.CopyObjects(sources, placed));
    ASSERT_TRUE(doc.AddObjects(&placed));
    // The document's own part and text.
    CObList own;
    own.AddTail(&doc.GetObjects());
    ASSERT_EQ(own.GetCount(), 2);
    ASSERT_NE(dynamic_cast<CAttrText*>(static_cast<CDrawObj*>(own.GetTail())), nullptr);
    const CRect box = static_cast<CDrawObj*>(own.GetTail())->GetPosition();

    WideMetrics metrics;
    ScopedInstall<ITextMetrics> installed(metrics);
    CObList copies;
    ASSERT_TRUE(doc.CopyObjects(own, copies));
    EXPECT_EQ(static_cast<CDrawObj*>(copies.GetTail())->GetPosition(), box);
    DeleteListedObjects(copies);
}

}  // namespace
