#pragma once
// What XML forbids and rapidxml lets through. The parser is fast because it checks little:
// it takes control characters, undefined entities, duplicate attributes, names starting with
// a digit and unbounded nesting. A file with any of these is not well-formed and must not load.
#include <windows.h>
#include <stddef.h>

namespace rapidxml { template <class Ch> class xml_node; }
typedef rapidxml::xml_node<char> XmlSrcNode;

// True for a well-formed XML name (tag, attribute or instruction target).
BOOL XmlIsName(const WCHAR *psz, size_t cch);

// The same for a name in UTF-8, as the parser hands it over.
BOOL XmlUtf8IsName(const char *p, size_t cb);

// Tab, line feed, carriage return and the printable planes; surrogates only in pairs.
BOOL XmlAllCharsLegal(const WCHAR *psz, size_t cch);

// A quick walk over the markup: FALSE when elements nest deeper than XMLDOM_MAX_DEPTH, a
// construct is left open, or a "<!" opens something other than a comment, a CDATA section or
// a document type. The parser, which recurses once per level, never meets such a file, and
// never skips markup it does not know, which a save would then lose.
BOOL XmlMarkupWithinLimits(const char *pszUtf8);

// Replaces references and line ends in place, as a reader of text or an attribute value sees
// them; FALSE for an undefined entity, a stray '&', a reference to an illegal character, or
// '<' in an attribute.
BOOL XmlTranslateReferences(char *pText, size_t cb, BOOL bAttribute, size_t *pcbOut);

// An element may not name one attribute twice.
BOOL XmlAttributesUnique(XmlSrcNode *pSrc);

// A comment may not hold "--" nor end in '-'.
BOOL XmlCommentValid(const char *p, size_t cb);

// An instruction's target is a name, and "xml" in any case is kept for the declaration.
BOOL XmlInstructionTargetValid(const char *p, size_t cb);

// The declaration's pseudo-attributes, by position: 0 version (1.x), 1 encoding (a plain
// name), 2 standalone (yes or no).
#define XML_DECL_VERSION 0
#define XML_DECL_ENCODING 1
#define XML_DECL_STANDALONE 2
BOOL XmlDeclarationValueValid(size_t nWhich, const char *p, size_t cb);
