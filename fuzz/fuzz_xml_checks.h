// Checks shared by the loader fuzzers: TinyXML must never go deeper or wider
// than the shape measured before parsing, since that measure is what keeps a
// hostile file from overflowing the stack.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include <tinyxml.h>

#include "settings/xml_document.h"
#include "settings/xml_shape.h"

namespace gkr::fuzz {

// Element depth and widest attribute list of a parsed document, walked
// without recursion.
inline XmlShape ParsedShape(const TiXmlDocument& document) {
    XmlShape shape;
    std::vector<std::pair<const TiXmlNode*, size_t>> pending;
    for (const TiXmlNode* node = document.FirstChild(); node; node = node->NextSibling()) pending.push_back({node, 1});
    while (!pending.empty()) {
        const auto [node, depth] = pending.back();
        pending.pop_back();
        const TiXmlElement* element = node->ToElement();
        if (!element) continue;
        shape.depth = std::max(shape.depth, depth);
        size_t attributes = 0;
        for (const TiXmlAttribute* a = element->FirstAttribute(); a; a = a->Next()) ++attributes;
        shape.attributes = std::max(shape.attributes, attributes);
        for (const TiXmlNode* child = node->FirstChild(); child; child = child->NextSibling()) {
            pending.push_back({child, depth + 1});
        }
    }
    return shape;
}

// Parses `text` the way the loaders do and aborts if TinyXML went beyond the
// measured shape. Returns false when the loaders would refuse the text.
inline bool ParseChecked(const std::string& text, TiXmlDocument& document) {
    const XmlShape measured = MeasureXml(text.c_str());
    if (measured.depth > kMaxXmlDepth || measured.attributes > kMaxXmlAttributes) return false;
    document.Parse(text.c_str(), nullptr, TIXML_ENCODING_LEGACY);
    const XmlShape parsed = ParsedShape(document);
    if (parsed.depth > measured.depth || parsed.attributes > measured.attributes) std::abort();
    return true;
}

}  // namespace gkr::fuzz
