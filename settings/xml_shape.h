// How deep and how wide TinyXML will go when it parses a text, found without
// building anything.
//
// TinyXML's parser calls itself once per level of element nesting and has no
// limit, so a file of a few hundred thousand nested elements overflows the
// stack; it also checks each new attribute against all earlier ones of its
// element, so one element with very many attributes takes minutes. The data
// files are user files (and a crash at start-up would keep the program from
// ever starting), so their shape is measured before TinyXML sees them.
//
// The scan follows TinyXML's own parsing steps in byte-wise (legacy) encoding:
// its figures are exactly TinyXML's for every text TinyXML parses to the end,
// and never smaller for texts where TinyXML stops at an error.
#pragma once

#include <cstddef>

namespace gkr {

struct XmlShape {
    size_t depth = 0;       // deepest element nesting; 1 = a root without child elements
    size_t attributes = 0;  // most attributes in one start tag
};

// `text` ends at its first zero byte, as it does for TinyXML.
XmlShape MeasureXml(const char* text);

}  // namespace gkr
