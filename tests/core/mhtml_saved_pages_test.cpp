// Pages saved by a web browser, read as that browser showed them.

#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "course/text.h"
#include "mhtml_samples.h"
#include "mhtml/mhtml.h"

namespace {

using mhtml_samples::ReadFile;
using mhtml_samples::SavedPages;
namespace fs = std::filesystem;

// What a reader sees of a page, roughly: the body's text without markup,
// entities read, blanks run together, lower case (a style sheet may show a
// paragraph in capitals).
std::string ReaderText(const std::string& html) {
    std::string text;
    std::size_t i = html.find("<body");
    if (i == std::string::npos) i = 0;
    while (i < html.size()) {
        if (html[i] == '<') {
            i = std::min(html.find('>', i), html.size()) + 1;
            text += ' ';
        } else if (html[i] == '&' && html.find(';', i) < i + 10) {
            const std::size_t end = html.find(';', i);
            const std::string name = html.substr(i + 1, end - i - 1);
            static const std::map<std::string, std::string> kEntities = {
                {"amp", "&"}, {"lt", "<"}, {"gt", ">"}, {"quot", "\""}, {"nbsp", " "}};
            const auto found = kEntities.find(name);
            text += found != kEntities.end() ? found->second : "&" + name + ";";
            i = end + 1;
        } else {
            text += html[i++];
        }
    }
    std::string collapsed;
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            if (!collapsed.empty() && collapsed.back() != ' ') collapsed += ' ';
        } else {
            collapsed += qv::AsciiLower(c);
        }
    }
    return collapsed;
}

// Pieces of the reader's text (lines, table cells) in order.
std::vector<std::string> ExpectedPieces(const std::string& expected) {
    std::vector<std::string> pieces;
    std::string current;
    for (char c : expected + "\n") {
        if (c == '\n' || c == '\t') {
            const std::string piece = ReaderText("<body>" + current);
            if (piece.find_first_not_of(' ') != std::string::npos) {
                pieces.push_back(
                    piece.substr(piece.find_first_not_of(' '),
                                 piece.find_last_not_of(' ') - piece.find_first_not_of(' ') + 1));
            }
            current.clear();
        } else {
            current += c;
        }
    }
    return pieces;
}

// parts.txt: one block a part, each a map of header name to value.
std::vector<std::map<std::string, std::string>> ReadPartsList(const std::string& text) {
    std::vector<std::map<std::string, std::string>> parts;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("part ", 0) == 0) parts.emplace_back();
        const std::size_t colon = line.find(": ");
        if (colon == std::string::npos || parts.empty()) continue;
        std::string value = line.substr(colon + 2);
        parts.back()[line.substr(0, colon)] = value == "(absent)" ? "" : value;
    }
    return parts;
}

std::string TitleOf(const std::string& html) {
    const std::size_t start = html.find("<title>");
    const std::size_t end = html.find("</title>");
    return start == std::string::npos || end == std::string::npos
               ? ""
               : html.substr(start + 7, end - start - 7);
}

TEST(MhtmlSavedPages, ReadAsTheBrowserThatSavedThemShowsThem) {
    const auto pages = SavedPages();
    if (pages.empty()) GTEST_SKIP() << "no saved pages in " << QUORVALE_MHTML_TESTDATA;
    for (const fs::path& file : pages) {
        SCOPED_TRACE(file.filename().string());
        const qv::MhtmlArchive archive = qv::DecodeMhtml(ReadFile(file));
        ASSERT_TRUE(archive.ok());

        const auto list = ReadPartsList(ReadFile(fs::path(file).replace_extension(".parts.txt")));
        ASSERT_EQ(list.size(), archive.parts.size() + 1);
        for (std::size_t i = 0; i < list.size(); ++i) {
            SCOPED_TRACE("part " + std::to_string(i));
            const qv::MhtmlPart& part = i == 0 ? archive.envelope : archive.parts[i - 1];
            EXPECT_EQ(part.contentType, list[i].at("Content-Type"));
            EXPECT_EQ(part.transferEncoding, list[i].at("Content-Transfer-Encoding"));
            EXPECT_EQ(part.location, list[i].at("Content-Location"));
            EXPECT_EQ(part.contentId, list[i].at("Content-ID"));
            if (list[i].count("Decoded-Bytes")) {
                EXPECT_EQ(std::to_string(part.bytes.size()), list[i].at("Decoded-Bytes"));
            }
            if (i > 0) {
                EXPECT_EQ(archive.Find(part.location), &part);
            }
        }
        EXPECT_EQ(archive.root, 0u);

        const std::string text = ReaderText(archive.html);
        std::size_t at = 0;
        for (const std::string& piece :
             ExpectedPieces(ReadFile(fs::path(file).replace_extension(".expected.txt")))) {
            const std::size_t found = text.find(piece, at);
            EXPECT_NE(found, std::string::npos) << "missing or out of order: " << piece;
            if (found != std::string::npos) {
                at = found + piece.size();
            }
        }
        EXPECT_EQ(archive.title, TitleOf(archive.html));
    }
}

TEST(MhtmlSavedPages, PicturesAndStyleSheetsAreFoundByTheAddressesThePageUses) {
    if (SavedPages().empty()) GTEST_SKIP() << "no saved pages in " << QUORVALE_MHTML_TESTDATA;
    const fs::path folder = QUORVALE_MHTML_TESTDATA;
    const auto picture = qv::DecodeMhtml(ReadFile(folder / "f-one-image.mhtml"));
    ASSERT_TRUE(picture.ok());
    EXPECT_NE(picture.html.find("src=\"http://127.0.0.1:45497/img/pic.png\""), std::string::npos);
    const qv::MhtmlPart* png = picture.Find("img/pic.png");
    ASSERT_NE(png, nullptr);
    EXPECT_EQ(png->mediaType, "image/png");
    EXPECT_EQ(png->bytes.substr(0, 8), "\x89PNG\r\n\x1A\n");
    EXPECT_EQ(picture.Find("/img/pic.png#frag"), png);
    EXPECT_EQ(picture.Find("http://127.0.0.1:45497/img/other.png"), nullptr);

    const auto styled = qv::DecodeMhtml(ReadFile(folder / "e-style-table.mhtml"));
    const qv::MhtmlPart* css =
        styled.Find("cid:css-a2136250-b324-4485-980c-202bf8782e9f@mhtml.blink");
    ASSERT_NE(css, nullptr);
    EXPECT_EQ(css->mediaType, "text/css");
    EXPECT_NE(qv::PartText(*css).find(".hidden-note { display: none; }"), std::string::npos);
}

}  // namespace
