#include "netlist/DocNetlist.h"

CDocNetlist::CDocNetlist(CDrawDoc* document) : m_document(document) {}
