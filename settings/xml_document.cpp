#include "settings/xml_document.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>

#include <tinyxml.h>

#include "settings/xml_shape.h"

namespace gkr {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// Only plain files are read: a folder cannot be, and opening a pipe would
// wait for a writer forever. When the name cannot be looked at, fopen decides.
bool IsSomethingOtherThanAFile(const std::string& path) {
    try {
        std::error_code error;
        const std::filesystem::file_status status = std::filesystem::status(path, error);
        return !error && std::filesystem::exists(status) && !std::filesystem::is_regular_file(status);
    } catch (const std::exception&) {  // a name the library cannot convert
        return false;
    }
}

// CR LF and lone CR become LF, as TinyXML's file loader does.
std::string NormalizeLineEnds(const std::string& raw) {
    std::string text;
    text.reserve(raw.size());
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\r') {
            text += '\n';
            if (i + 1 < raw.size() && raw[i + 1] == '\n') ++i;
        } else {
            text += raw[i];
        }
    }
    return text;
}

}  // namespace

FileRead ReadDataFileAs(const std::string& path, std::string& text) {
    if (IsSomethingOtherThanAFile(path)) return FileRead::Failed;
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) return errno == ENOENT ? FileRead::Missing : FileRead::Failed;
    std::string raw;
    char chunk[16384];
    for (;;) {
        const size_t got = std::fread(chunk, 1, sizeof chunk, file.get());
        raw.append(chunk, got);
        if (raw.size() > kMaxDataFileBytes) return FileRead::Failed;
        if (got < sizeof chunk) break;
    }
    if (std::ferror(file.get())) return FileRead::Failed;  // a folder, an I/O error
    text = NormalizeLineEnds(raw);
    return FileRead::Read;
}

bool ReadDataFile(const std::string& path, std::string& text) {
    return ReadDataFileAs(path, text) == FileRead::Read;
}

bool ParseDataText(const std::string& text, TiXmlDocument& document) {
    const char* start = text.c_str();
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) start += 3;
    const XmlShape shape = MeasureXml(start);
    if (shape.depth > kMaxXmlDepth || shape.attributes > kMaxXmlAttributes) return false;
    // The parser's own success flag is not consulted: a damaged file still
    // gives the part of the document before the damage.
    document.Parse(start, nullptr, TIXML_ENCODING_LEGACY);
    return true;
}

}  // namespace gkr
