#include "support/LinkAudit.h"

#include <set>
#include <vector>

#include "model/doc/DrawDoc.h"
#include "model/net/Wire.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"

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

}  // namespace

std::string FirstBrokenLink(CDrawDoc& doc) {
    return Audit(doc).Run();
}

}  // namespace testsupport
