#pragma once
// rapidxml as the reader uses it: no exceptions, a small pool, no asserts. Every file that
// touches its nodes includes it through here, so they all see the same configuration.
#include <stddef.h>

// rapidxml's asserts would pull the C runtime's assert machinery into the module.
#ifndef NDEBUG
#define NDEBUG
#endif
#define RAPIDXML_NO_EXCEPTIONS
// The pool lives inside the parser object; the parser itself is allocated on the heap.
#define RAPIDXML_STATIC_POOL_SIZE (16 * 1024)

// rapidxml built without exceptions reports a parse error by calling this; it never returns.
namespace rapidxml
{
[[noreturn]] void parse_error_handler(const char *pszWhat, void *pWhere);
}
#include <rapidxml/rapidxml.hpp>

typedef rapidxml::xml_document<char> XmlParser;
typedef rapidxml::xml_node<char> XmlSrcNode;
typedef rapidxml::xml_attribute<char> XmlSrcAttr;
