#include "settings/xml_shape.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <vector>

namespace gkr {

namespace {

// Character classes as TinyXML decides them (the C library's, for the same
// process locale), bytes from 127 up counting as letters.
bool IsSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) || c == '\n' || c == '\r'; }
bool IsAlpha(char c) {
    const unsigned char b = static_cast<unsigned char>(c);
    return b < 127 ? std::isalpha(b) != 0 : true;
}
bool IsAlphaNum(char c) {
    const unsigned char b = static_cast<unsigned char>(c);
    return b < 127 ? std::isalnum(b) != 0 : true;
}
bool IsNameChar(char c) { return IsAlphaNum(c) || c == '_' || c == '-' || c == '.' || c == ':'; }

const char* SkipSpace(const char* p) {
    while (*p && IsSpace(*p)) ++p;
    return p;
}

bool StartsWith(const char* p, const char* prefix) { return std::strncmp(p, prefix, std::strlen(prefix)) == 0; }

bool StartsWithNoCase(const char* p, const char* prefix) {
    for (; *prefix; ++p, ++prefix) {
        const char c = (*p >= 'A' && *p <= 'Z') ? static_cast<char>(*p - 'A' + 'a') : *p;
        if (c != *prefix) return false;
    }
    return true;
}

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// Past an '&' the way TinyXML reads a character reference. "&#" and "&#x"
// look for the next ';' anywhere ahead and accept it when the characters just
// before it, back to the nearest '#' or 'x', are digits - so one reference can
// jump over quotes and '<'. nullptr where TinyXML gives up.
const char* SkipEntity(const char* p) {
    static const char* const named[] = {"&amp;", "&lt;", "&gt;", "&quot;", "&apos;"};
    if (p[1] == '#' && p[2]) {
        const bool hex = p[2] == 'x';
        if (hex && !p[3]) return nullptr;
        const char* semicolon = std::strchr(p + (hex ? 3 : 2), ';');
        if (!semicolon) return nullptr;
        for (const char* q = semicolon - 1; *q != (hex ? 'x' : '#'); --q) {
            if (hex ? !IsHexDigit(*q) : !(*q >= '0' && *q <= '9')) return nullptr;
        }
        return semicolon + 1;
    }
    for (const char* entity : named) {
        if (StartsWith(p, entity)) return p + std::strlen(entity);
    }
    return p + 1;
}

// Text up to `end` with its character references; returns the position of
// `end`, or nullptr where TinyXML gives up (no `end`, a broken reference).
const char* SkipText(const char* p, char end) {
    while (*p && *p != end) {
        if (*p == '&') {
            p = SkipEntity(p);
            if (!p) return nullptr;
        } else {
            ++p;
        }
    }
    return *p ? p : nullptr;
}

// One attribute (name = value); nullptr where TinyXML gives up.
const char* SkipAttribute(const char* p) {
    if (!IsAlpha(*p) && *p != '_') return nullptr;
    while (*p && IsNameChar(*p)) ++p;
    if (!*p) return nullptr;
    p = SkipSpace(p);
    if (*p != '=') return nullptr;
    p = SkipSpace(p + 1);
    if (!*p) return nullptr;
    if (*p == '"' || *p == '\'') {
        const char* end = SkipText(p + 1, *p);
        if (!end || !end[1]) return nullptr;
        return end + 1;
    }
    while (*p && !IsSpace(*p) && *p != '/' && *p != '>') {
        if (*p == '"' || *p == '\'') return nullptr;
        ++p;
    }
    return p;
}

// "<?xml ...>"; nullptr where TinyXML gives up.
const char* SkipDeclaration(const char* p) {
    p += 5;
    while (*p) {
        if (*p == '>') return p + 1;
        p = SkipSpace(p);
        if (!*p) return nullptr;
        if (StartsWithNoCase(p, "version") || StartsWithNoCase(p, "encoding") || StartsWithNoCase(p, "standalone")) {
            p = SkipAttribute(p);
            if (!p) return nullptr;
        } else {
            while (*p && *p != '>' && !IsSpace(*p)) ++p;
        }
    }
    return nullptr;
}

const char* SkipPast(const char* p, const char* terminator) {
    const char* end = std::strstr(p, terminator);
    return end ? end + std::strlen(terminator) : p + std::strlen(p);
}

struct OpenElement {
    const char* name;
    size_t length;
};

}  // namespace

XmlShape MeasureXml(const char* text) {
    XmlShape shape;
    std::vector<OpenElement> open;  // the elements whose content is being read
    const char* p = SkipSpace(text);

    while (*p) {
        if (*p != '<') {
            if (open.empty()) break;  // the document holds nothing but nodes
            // Text up to the next '<', which must not end the input.
            const char* next = SkipText(p, '<');
            if (!next || !next[1]) break;
            p = next;
            continue;
        }
        if (!open.empty() && p[1] == '/') {
            // The end tag: the open element's name, blanks, '>'.
            const OpenElement& element = open.back();
            if (std::strncmp(p + 2, element.name, element.length) != 0) break;
            p = SkipSpace(p + 2 + element.length);
            if (*p != '>') break;
            open.pop_back();
            p = SkipSpace(p + 1);
            continue;
        }

        if (StartsWithNoCase(p, "<?xml")) {
            p = SkipDeclaration(p);
            if (!p) break;
        } else if (StartsWith(p, "<!--")) {
            p = SkipPast(p + 4, "-->");
        } else if (StartsWith(p, "<![CDATA[")) {
            p = SkipPast(p + 9, "]]>");
            if (!*p) break;
        } else if (StartsWith(p, "<!") || !(IsAlpha(p[1]) || p[1] == '_')) {
            p = SkipPast(p + 1, ">");  // a node TinyXML does not know
        } else {
            // A start tag: name, attributes, then "/>" or '>' and content.
            const char* name = ++p;
            while (*p && IsNameChar(*p)) ++p;
            const OpenElement element{name, static_cast<size_t>(p - name)};
            size_t attributes = 0;
            bool content = false;
            bool failed = !*p;
            while (!failed) {
                p = SkipSpace(p);
                if (!*p) {
                    failed = true;
                } else if (*p == '/') {
                    failed = p[1] != '>';
                    p += 2;
                    break;
                } else if (*p == '>') {
                    ++p;
                    content = true;
                    break;
                } else {
                    p = SkipAttribute(p);
                    failed = !p || !*p;
                    shape.attributes = std::max(shape.attributes, ++attributes);
                }
            }
            shape.depth = std::max(shape.depth, open.size() + 1);
            if (failed) break;
            if (content) open.push_back(element);
        }
        p = SkipSpace(p);
    }
    return shape;
}

}  // namespace gkr
