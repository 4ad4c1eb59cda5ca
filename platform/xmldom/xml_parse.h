#pragma once
#include "platform/xmldom/dom_core.h"

// Parses a whole document of NUL-terminated UTF-8 text (changed in place) into the empty
// document's tree. FALSE when the text is not a well-formed document with one root element;
// the caller then empties the document again.
BOOL XmlParseInto(DomCore *pDocument, char *pszUtf8);
