#pragma once
// IFollowMap: what the objects attached to a moved object ask of the edit that moves it. An edit
// that moves objects works on copies that stand in the document for the objects it changes; the
// wires and texts that follow a moved object ask it for the copy to change (made on the first
// request), and for the object as it stood before the edit, to keep their offsets to it.

class CDrawObj;

class IFollowMap {
public:
    // The object that stands in the document for object while the edit runs: its copy, made
    // now when there is none yet, or object itself when the edit changes it in place.
    virtual CDrawObj* Substitute(CDrawObj* object) = 0;
    // The object as it stood before the edit: the source of a copy, the saved shape of an
    // object changed in place, or null when the edit does not know the object.
    virtual CDrawObj* Original(const CDrawObj* object) = 0;
    // Whether the edit transforms the object itself (rather than letting it follow).
    virtual bool MovesItself(const CDrawObj* object) const = 0;

protected:
    ~IFollowMap() = default;
};
