#include "support/LinkAudit.h"

#include <map>
#include <set>
#include <vector>

#include "model/doc/DrawDoc.h"
#include "model/net/Wire.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "model/text/AttrText.h"

namespace testsupport {

namespace {

std::string Describe(const CDrawObj* object) {
    const CRect box = object->GetPosition();
    std::string text = "object of type " + std::to_string(object->GetObjType()) + " at (" +
                       std::to_string(box.left) + ", " + std::to_string(box.top) + ")";
    if (const auto* pin = dynamic_cast<const CPin*>(object)) {
        const CPoint hot = pin->GetConnectPoint();
        text = "pin at (" + std::to_string(hot.x) + ", " + std::to_string(hot.y) + ")";
    }
    return text;
}

bool EndsOn(const CWire& wire, const CDrawObj* object) {
    return wire.GetStartObject() == object || wire.GetEndObject() == object;
}

class Audit {
public:
    explicit Audit(CDrawDoc& doc) {
        const CObList& objects = doc.GetObjects();
        for (POSITION pos = objects.GetHeadPosition(); pos;) {
            auto* object = static_cast<CDrawObj*>(objects.GetNext(pos));
            m_listed.insert(object);
            if (object->GetDocument() != &doc)
                Note(Describe(object) + " is listed but names another document");
            if (auto* symbol = dynamic_cast<CSymbol*>(object))
                AddPins(*symbol);
            else if (auto* pin = dynamic_cast<CPin*>(object))
                m_pins.insert(pin);
            else if (auto* wire = dynamic_cast<CWire*>(object))
                m_wires.push_back(wire);
        }
    }

    std::string Run() {
        for (const CWire* wire : m_wires) {
            CheckEnd(*wire, wire->GetStartObject());
            CheckEnd(*wire, wire->GetEndObject());
            CheckJunctions(*wire);
        }
        for (const CPin* pin : m_pins)
            CheckPin(*pin);
        return m_broken;
    }

private:
    void AddPins(CSymbol& symbol) {
        CObList& pins = symbol.GetPins();
        for (POSITION pos = pins.GetHeadPosition(); pos;)
            m_pins.insert(static_cast<CPin*>(pins.GetNext(pos)));
    }
    void Note(const std::string& what) {
        if (m_broken.empty())
            m_broken = what;
    }
    void CheckEnd(const CWire& wire, const CDrawObj* end) {
        if (!end)
            return;
        const std::string where = "wire " + Describe(&wire) + " ends on " + Describe(end);
        if (const auto* pin = dynamic_cast<const CPin*>(end)) {
            if (!m_pins.count(pin))
                Note(where + ", outside the document");
            else if (pin->GetWire() != &wire)
                Note(where + ", which does not name the wire");
        } else if (const auto* other = dynamic_cast<const CWire*>(end)) {
            if (!m_listed.count(other))
                Note(where + ", outside the document");
            else if (!other->GetJunctions().Find(const_cast<CWire*>(&wire)))
                Note(where + ", which does not list it as a junction");
        } else {
            Note(where + ", neither a pin nor a wire");
        }
    }
    void CheckJunctions(const CWire& wire) {
        const CObList& junctions = wire.GetJunctions();
        for (POSITION pos = junctions.GetHeadPosition(); pos;) {
            const auto* junction = dynamic_cast<const CWire*>(junctions.GetNext(pos));
            if (!junction || !m_listed.count(junction))
                Note("a junction of wire " + Describe(&wire) + " is outside the document");
            else if (!EndsOn(*junction, &wire))
                Note("junction " + Describe(junction) + " of wire " + Describe(&wire) +
                     " does not end on it");
        }
    }
    void CheckPin(const CPin& pin) {
        const CDrawObj* linked = pin.GetWire();
        if (!linked)
            return;
        const auto* wire = dynamic_cast<const CWire*>(linked);
        if (!wire || !m_listed.count(wire))
            Note("the wire of " + Describe(&pin) + " is outside the document");
        else if (!EndsOn(*wire, &pin))
            Note("the wire " + Describe(wire) + " of " + Describe(&pin) + " does not end on it");
    }

    std::set<const CDrawObj*> m_listed;
    std::set<const CPin*> m_pins;
    std::vector<const CWire*> m_wires;
    std::string m_broken;
};

// What the purge repairs, looked at before it runs.
class PurgeAudit {
public:
    explicit PurgeAudit(CDrawDoc& doc) : m_doc(doc) {
        m_owners[&doc] = nullptr;
        const CObList& objects = doc.GetObjects();
        for (POSITION pos = objects.GetHeadPosition(); pos;) {
            auto* object = static_cast<CDrawObj*>(objects.GetNext(pos));
            Add(object);
            if (const CObList* pins = object->GetPinList()) {
                for (POSITION at = pins->GetHeadPosition(); at;)
                    Add(static_cast<CDrawObj*>(pins->GetNext(at)));
            }
        }
    }

    std::string Run() {
        CheckList(m_doc, m_doc.GetAttrTextList());
        for (CDrawObj* object : m_inOrder) {
            CheckList(*object, object->GetAttrTextList());
            if (const auto* text = dynamic_cast<const CAttrText*>(object))
                CheckText(*text);
            if (const auto* wire = dynamic_cast<const CWire*>(object))
                CheckEnds(*wire);
        }
        return m_repair;
    }

private:
    void Add(CDrawObj* object) {
        m_owners[object] = object;
        m_inOrder.push_back(object);
    }
    void Note(const std::string& what) {
        if (m_repair.empty())
            m_repair = what;
    }
    // Every text an owner lists is in the document and names it.
    void CheckList(const CObject& owner, const CObList* texts) {
        for (POSITION pos = texts ? texts->GetHeadPosition() : nullptr; pos;) {
            const auto* listed = static_cast<const CObject*>(texts->GetNext(pos));
            const auto found = m_owners.find(listed);
            const auto* text =
                found == m_owners.end() ? nullptr : dynamic_cast<const CAttrText*>(found->second);
            if (!text)
                Note("an owner of attribute texts lists one outside the document");
            else if (text->GetOwner() != &owner)
                Note("an owner lists the attribute text \"" + text->GetText().str() +
                     "\", which names another owner");
        }
    }
    // A text's owner is in the document and lists it.
    void CheckText(const CAttrText& text) {
        const CObject* owner = text.GetOwner();
        if (!owner)
            return;
        const auto found = m_owners.find(owner);
        const std::string what = "the attribute text \"" + text.GetText().str() + "\"";
        if (found == m_owners.end()) {
            Note(what + " names an owner outside the document");
            return;
        }
        const CObList* texts =
            found->second ? found->second->GetAttrTextList() : m_doc.GetAttrTextList();
        if (!texts || !texts->Find(const_cast<CAttrText*>(&text)))
            Note(what + " is not listed by its owner");
    }
    void CheckEnds(const CWire& wire) {
        const int count = wire.GetPointCount();
        if (count > 0) {
            CheckEnd(wire, wire.GetStartObject(), wire.GetPoint(0));
            CheckEnd(wire, wire.GetEndObject(), wire.GetPoint(count - 1));
        }
    }
    void CheckEnd(const CWire& wire, const CDrawObj* end, CPoint point) {
        const auto found = m_owners.find(end);
        const auto* pin =
            found == m_owners.end() ? nullptr : dynamic_cast<const CPin*>(found->second);
        if (pin && pin->GetConnectPoint() != point)
            Note("wire " + Describe(&wire) + " has an end at (" + std::to_string(point.x) + ", " +
                 std::to_string(point.y) + ") linked to " + Describe(pin));
    }

    CDrawDoc& m_doc;
    // The document, its objects and their pins, each by its address as an owner (the
    // document's entry holds null).
    std::map<const CObject*, CDrawObj*> m_owners;
    std::vector<CDrawObj*> m_inOrder;
    std::string m_repair;
};

}  // namespace

std::string FirstBrokenLink(CDrawDoc& doc) {
    return Audit(doc).Run();
}

std::string FirstPurgeRepair(CDrawDoc& doc) {
    return PurgeAudit(doc).Run();
}

}  // namespace testsupport
