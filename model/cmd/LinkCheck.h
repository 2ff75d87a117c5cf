#pragma once
// A debug check for commands that restore links: restoring calls into every object that a
// record names, so each of them must still belong to the document (a deleted object must have
// been taken out of the records with CConnectionList::Remove first).

class CConnectionList;
class CDrawDoc;

bool LinksNameDocumentObjects(const CConnectionList& links, const CDrawDoc* doc);
