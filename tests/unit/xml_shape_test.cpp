#include "settings/xml_shape.h"

#include <algorithm>
#include <filesystem>
#include <random>
#include <utility>
#include <vector>

#include <gtest/gtest.h>
#include <tinyxml.h>

#include "settings/xml_document.h"
#include "settings_temp_dir.h"

namespace gkr {
namespace {

// What TinyXML actually built, walked without recursion.
XmlShape Parsed(const std::string& text) {
    TiXmlDocument document;
    document.Parse(text.c_str(), nullptr, TIXML_ENCODING_LEGACY);
    XmlShape shape;
    std::vector<std::pair<const TiXmlNode*, size_t>> pending;
    for (const TiXmlNode* n = document.FirstChild(); n; n = n->NextSibling()) pending.push_back({n, 1});
    while (!pending.empty()) {
        const auto [node, depth] = pending.back();
        pending.pop_back();
        const TiXmlElement* element = node->ToElement();
        if (!element) continue;
        shape.depth = std::max(shape.depth, depth);
        size_t attributes = 0;
        for (const TiXmlAttribute* a = element->FirstAttribute(); a; a = a->Next()) ++attributes;
        shape.attributes = std::max(shape.attributes, attributes);
        for (const TiXmlNode* c = node->FirstChild(); c; c = c->NextSibling()) pending.push_back({c, depth + 1});
    }
    return shape;
}

void ExpectExact(const std::string& text) {
    const XmlShape measured = MeasureXml(text.c_str());
    const XmlShape parsed = Parsed(text);
    EXPECT_EQ(parsed.depth, measured.depth) << text;
    EXPECT_EQ(parsed.attributes, measured.attributes) << text;
}

void ExpectBound(const std::string& text) {
    const XmlShape measured = MeasureXml(text.c_str());
    const XmlShape parsed = Parsed(text);
    EXPECT_LE(parsed.depth, measured.depth) << text;
    EXPECT_LE(parsed.attributes, measured.attributes) << text;
}

TEST(XmlShape, MatchesTinyXmlOnWellFormedFiles) {
    ExpectExact("<Setting UseKey=\"1\"><Accel Name=\"a\"><Key Code=\"1\" /></Accel></Setting>");
    ExpectExact("<a><b><c><d /></c></b><b /></a>");
    ExpectExact("  <?xml version=\"1.0\" encoding=\"euc-kr\"?>\n<!DOCTYPE x>\n<a x='1' y=\"2\" z=\"3\"/>");
    ExpectExact("<a>text &amp; more<b>x</b> tail</a>");
    EXPECT_EQ(3u, MeasureXml("<a><b><c/></b></a>").depth);
    EXPECT_EQ(0u, MeasureXml("").depth);
}

TEST(XmlShape, MarkupInsideCommentsCdataAndValuesDoesNotNest) {
    ExpectExact("<a><!-- <b><c><d> --><e /></a>");
    ExpectExact("<a><![CDATA[<b><c><d>]]><e /></a>");
    ExpectExact("<a v=\"<b><c>\" w='/>'><e /></a>");
    ExpectExact("<a v=\"&quot;<b>\"><e x='&apos;/>' /></a>");
    ExpectExact("<a><?xml version='<b>'?><c/></a>");
    EXPECT_EQ(2u, MeasureXml("<a><!-- <b><c><d> --><e /></a>").depth);
    EXPECT_EQ(1u, MeasureXml("<a v=\"/>\"><!-- --></a>").depth);
}

TEST(XmlShape, FollowsTinyXmlsOwnReadingOfOddMarkup) {
    ExpectExact("<a x=1 y=b/c></a>");               // unquoted values
    ExpectExact("<a></a ><b></b\n>");                // blanks in end tags
    ExpectExact("<a><b></bc></a>");                  // end tag that only starts with the name
    ExpectExact("<a>< b><c/></a>");                  // '<' and a blank: not an element
    ExpectExact("<a><_b><:c/></_b></a>");
    ExpectExact("<a><\xc5\xb8 x=\"1\"><\xb8\xd3/></\xc5\xb8></a>");  // bytes above 127 count as letters
    ExpectExact("<a><!-->--></a><b/>");
    ExpectExact("<a><!DOCTYPE <b> ><c/></a>");
    ExpectExact("text before <a/>");
}

TEST(XmlShape, NeverUnderestimatesWhereTinyXmlStops) {
    for (const char* text : {"<a><b><c>", "<a x=\"1\"", "<a x=\"1\" x=\"2\"><b/></a>", "<a></b><c><d/></c></a>",
                             "<a><b x=\"&#xZZ;<c>\"><d/></b></a>", "<a>unterminated", "<a x='1'/><b", "<a/x>",
                             "<a x=\"1\"y=\"2\"><b/></a>", "<a><![CDATA[x]]>", "<a x=\"1\">&#x", "<a x=>",
                             "<a x=\"1\"\"><b/></a>", "<a \xff=\"1\"><b/></a>"}) {
        ExpectBound(text);
    }
}

TEST(XmlShape, CharacterReferencesCanJumpOverQuotesAndTags) {
    // "&#" reads up to the next ';' wherever it is, as long as digits lead back
    // from it to a '#': here across the closing quote and three start tags.
    ExpectExact("<r v=\"&#\"><a><a><a>#1;\"><b /></r>");
    ExpectExact("<r>&#<a><a><a>#1;<b /></r>");
    ExpectExact("<r v='&#x'><a><a>x1f;'><b /></r>");
    EXPECT_EQ(2u, MeasureXml("<r v=\"&#\"><a><a><a>#1;\"><b /></r>").depth);
}

TEST(XmlShape, FuzzSeedsNeverGoDeeperThanMeasured) {
    // The seeds include inputs on which an earlier version of the measure fell
    // short of TinyXML.
    for (const char* folder : {"settings_fuzzer", "songs_fuzzer"}) {
        for (const auto& entry : std::filesystem::directory_iterator(std::string(GKR_SOURCE_DIR "/fuzz/corpus/") + folder)) {
            const std::string text = testing::ReadBytes(entry.path().string());
            const XmlShape measured = MeasureXml(text.c_str());
            const XmlShape parsed = Parsed(text);
            EXPECT_LE(parsed.depth, measured.depth) << entry.path();
            EXPECT_LE(parsed.attributes, measured.attributes) << entry.path();
        }
    }
}

TEST(XmlShape, RandomMarkupNeverGoesDeeperThanMeasured) {
    // Fragments chosen to hit the places where a naive count goes wrong:
    // quotes, comment and CDATA ends, end tags, stray '<' and '>'.
    const char* fragments[] = {"<a", "<b x=\"", "\"", "'", ">", "/>", "</a>", "</b>", "</a ", "<!--", "-->",
                               "<![CDATA[", "]]>", "<?xml ", "?>", "<!", " ", "=", "x", "&amp;", "&#x41;", "&",
                               "<", "\n", "\xc5\xb8", "y='", "<a>", "<b>", "</", "z=1", "&#", "&#x", ";", "#1;", "x2;",
                               "12", "f;"};
    std::mt19937 random(20240607);
    std::uniform_int_distribution<size_t> pick(0, sizeof fragments / sizeof fragments[0] - 1);
    std::uniform_int_distribution<int> length(1, 60);
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        for (int i = length(random); i > 0; --i) text += fragments[pick(random)];
        const XmlShape measured = MeasureXml(text.c_str());
        const XmlShape parsed = Parsed(text);
        ASSERT_LE(parsed.depth, measured.depth) << text;
        ASSERT_LE(parsed.attributes, measured.attributes) << text;
    }
}

TEST(DataText, RefusesTooDeepOrTooWideAndParsesTheRest) {
    std::string deep;
    for (size_t i = 0; i < kMaxXmlDepth; ++i) deep += "<a>";
    TiXmlDocument fits;
    EXPECT_TRUE(ParseDataText(deep, fits));
    EXPECT_NE(nullptr, fits.FirstChild());
    TiXmlDocument refused;
    EXPECT_FALSE(ParseDataText(deep + "<a>", refused));
    EXPECT_EQ(nullptr, refused.FirstChild());

    std::string wide = "<a";
    for (size_t i = 0; i < kMaxXmlAttributes; ++i) wide += " a" + std::to_string(i) + "=\"\"";
    TiXmlDocument fitsWide;
    EXPECT_TRUE(ParseDataText(wide + "/>", fitsWide));
    TiXmlDocument refusedWide;
    EXPECT_FALSE(ParseDataText(wide + " b=\"\"/>", refusedWide));
}

TEST(DataText, ReadsBytesAsTheyAreWhateverTheDeclarationSays) {
    TiXmlDocument document;
    ASSERT_TRUE(ParseDataText("\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?><a n=\"\xc5\xb8\" />", document));
    const TiXmlElement* a = document.FirstChildElement("a");
    ASSERT_NE(nullptr, a);
    EXPECT_EQ("\xc5\xb8", *a->Attribute(std::string("n")));
}

TEST(DataFile, ReadsLikeTinyXmlsLoaderAndRefusesOversizedFiles) {
    testing::TempDir dir;
    testing::WriteBytes(dir.File("crlf.xml"), "<a\r\nn=\"x\ry\r\nz\" />\r\n");
    std::string text;
    ASSERT_TRUE(ReadDataFile(dir.File("crlf.xml"), text));
    EXPECT_EQ("<a\nn=\"x\ny\nz\" />\n", text);

    testing::WriteBytes(dir.File("limit.xml"), std::string(kMaxDataFileBytes, ' '));
    EXPECT_TRUE(ReadDataFile(dir.File("limit.xml"), text));
    testing::WriteBytes(dir.File("big.xml"), std::string(kMaxDataFileBytes + 1, ' '));
    EXPECT_FALSE(ReadDataFile(dir.File("big.xml"), text));
    EXPECT_FALSE(ReadDataFile(dir.File("missing.xml"), text));
}

}  // namespace
}  // namespace gkr
