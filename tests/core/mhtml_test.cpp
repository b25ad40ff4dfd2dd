#include "practice/mhtml.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>

#include "course/resources.h"
#include "course/text.h"
#include "course_source.h"
#include "course_writer.h"
#include "practice/mhtml_codec.h"

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

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
                pieces.push_back(piece.substr(piece.find_first_not_of(' '), piece.find_last_not_of(' ') - piece.find_first_not_of(' ') + 1));
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
    return start == std::string::npos || end == std::string::npos ? "" : html.substr(start + 7, end - start - 7);
}

std::vector<fs::path> SavedPages() {
    std::vector<fs::path> pages;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(QUORVALE_MHTML_TESTDATA, error)) {
        if (entry.path().extension() == ".mhtml") pages.push_back(entry.path());
    }
    std::sort(pages.begin(), pages.end());
    return pages;
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
        for (const std::string& piece : ExpectedPieces(ReadFile(fs::path(file).replace_extension(".expected.txt")))) {
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
    const qv::MhtmlPart* css = styled.Find("cid:css-a2136250-b324-4485-980c-202bf8782e9f@mhtml.blink");
    ASSERT_NE(css, nullptr);
    EXPECT_EQ(css->mediaType, "text/css");
    EXPECT_NE(qv::PartText(*css).find(".hidden-note { display: none; }"), std::string::npos);
}

// A single-part page in quoted-printable.
std::string Page(const std::string& body, const std::string& type = "text/html",
                 const std::string& encoding = "quoted-printable") {
    return "MIME-Version: 1.0\r\nContent-Type: " + type + "\r\nContent-Transfer-Encoding: " + encoding +
           "\r\nContent-Location: file:///q/page.htm\r\n\r\n" + body;
}

struct OddCase {
    const char* name;
    std::string archive;
    std::string html;  // the page as UTF-8
};
void PrintTo(const OddCase& c, std::ostream* os) { *os << c.name; }

class MhtmlOddCases : public testing::TestWithParam<OddCase> {};

TEST_P(MhtmlOddCases, DecodeToThePage) {
    const qv::MhtmlArchive archive = qv::DecodeMhtml(GetParam().archive);
    ASSERT_TRUE(archive.ok());
    EXPECT_EQ(archive.html, GetParam().html);
    if (std::string(GetParam().name) == "MissingFinalBoundary") {
        EXPECT_EQ(archive.parts.back().bytes, "picture");
    }
}

const std::string kMetaUtf8 = "<meta http-equiv=3D\"Content-Type\" content=3D\"text/html; charset=3Dutf-8\">";
const std::string kMetaUtf8Plain = "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">";

INSTANTIATE_TEST_SUITE_P(
    Cases, MhtmlOddCases,
    testing::Values(
        OddCase{"SoftLineBreaks", Page("<p>Hel=\r\nlo wor=  \r\nld</p>\r\n<p>two</p>"), "<p>Hello world</p>\r\n<p>two</p>"},
        OddCase{"LowerCaseHex", Page(kMetaUtf8 + "caf=c3=a9 =3d", "text/html"), kMetaUtf8Plain + "caf\xC3\xA9 ="},
        OddCase{"BadEscapesStayAsText", Page("a=ZZb =4 100%=\r\n= end=G1"), "a=ZZb =4 100%= end=G1"},
        OddCase{"TrailingBlanksDropped", Page("one   \r\ntwo=20\r\n"), "one\r\ntwo \r\n"},
        OddCase{"LineFeedsOnly", Page("<p>a=\nb</p>\n<p>c</p>\n"), "<p>ab</p>\n<p>c</p>\n"},
        OddCase{"SoftBreakInsideAUtf8Character", Page(kMetaUtf8 + "caf=C3=\r\n=A9 na=C3=\r\n=AFve"), kMetaUtf8Plain + "caf\xC3\xA9 na\xC3\xAFve"},
        OddCase{"MetaCharsetWindows1252", Page("<meta charset=3D\"windows-1252\">=C3=\r\n=A9"), "<meta charset=\"windows-1252\">\xC3\x83\xC2\xA9"},
        OddCase{"MetaHttpEquivWindows1252", Page("<meta content=3D'text/html;charset=3D\"Windows-1252\"' http-equiv=3DContent-Type>=C3=A9"), "<meta content='text/html;charset=\"Windows-1252\"' http-equiv=Content-Type>\xC3\x83\xC2\xA9"},
        OddCase{"MetaCharsetUnquotedUtf8", Page("<META CHARSET=3DUTF-8><p>=E2=82=AC=E9</p>"), "<META CHARSET=UTF-8><p>\xE2\x82\xAC\xEF\xBF\xBD</p>"},
        OddCase{"MetaAfterOtherMetas", Page("<meta name=3Dx><meta/><meta http-equiv=3D\"refresh\" content=3D\"charset=3Dutf-8\"><meta charset=3Dcp1252>=C3=A9"), "<meta name=x><meta/><meta http-equiv=\"refresh\" content=\"charset=utf-8\"><meta charset=cp1252>\xC3\x83\xC2\xA9"},
        OddCase{"HeaderCharsetBeatsTheMeta", Page("<meta charset=3D\"windows-1252\">=C3=A9", "text/html; charset=\"utf-8\""), "<meta charset=\"windows-1252\">\xC3\xA9"},
        OddCase{"Latin1ReadsAsWindows1252", Page("=E9=93", "text/html; charset=ISO-8859-1"), "\xC3\xA9\xE2\x80\x9C"},
        OddCase{"UsAsciiWithAStrayByte", Page("caf=E9", "text/html;\r\n\tcharset=\"us-ascii\""), "caf\xC3\xA9"},
        OddCase{"NoCharsetValidUtf8", Page("caf\xC3\xA9", "text/html", "8bit"), "caf\xC3\xA9"},
        OddCase{"NoCharsetNotUtf8", Page("caf\xE9", "text/html", "8bit"), "caf\xC3\xA9"},
        OddCase{"BadUtf8Replaced", Page("a\xC3(b\xED\xA0\x80", "text/html; charset=utf-8", "binary"), "a\xEF\xBF\xBD(b\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
        OddCase{"ByteOrderMarkDropped", Page("\xEF\xBB\xBFhi", "text/html; charset=windows-1252", "8bit"), "hi"},
        OddCase{"Base64WithBlanksAndNoPadding", Page("PGI+\r\n SGk8\tL2I+", "text/html", "base64"), "<b>Hi</b>"},
        OddCase{"NoTransferEncoding", "Content-Type: text/html\r\n\r\n<p>a=3D</p>", "<p>a=3D</p>"},
        OddCase{"MissingFinalBoundary",
                "Content-Type: multipart/related; boundary=XYZ\r\n\r\npreamble\r\n--XYZ\r\nContent-Type: text/html\r\n\r\n"
                "<p>page</p>\r\n--XYZ\r\nContent-Type: image/png\r\nContent-Location: a.png\r\n\r\npicture",
                "<p>page</p>"},
        OddCase{"StartParameterChoosesThePage",
                "Content-Type: multipart/related; start=\"<two@x>\"; boundary=\"b\"\r\n\r\n--b\r\nContent-Type: text/html\r\n"
                "Content-ID: <one@x>\r\n\r\nfirst\r\n--b\r\nContent-Type: text/html\r\nContent-ID: <two@x>\r\n\r\nsecond\r\n--b--\r\n",
                "second"},
        OddCase{"NestedAlternative",
                "Content-Type: multipart/related; boundary=outer\r\n\r\n--outer\r\nContent-Type: multipart/alternative; boundary=inner\r\n\r\n"
                "--inner\r\nContent-Type: text/plain\r\n\r\nplain\r\n--inner\r\nContent-Type: text/html\r\n\r\n<i>rich</i>\r\n--inner--\r\n"
                "--outer--\r\n",
                "<i>rich</i>"},
        OddCase{"BoundaryMissingFromTheHeader",
                "Content-Type: multipart/related\r\n\r\n--guess\r\nContent-Type: text/html\r\n\r\nfound\r\n--guess--",
                "found"},
        OddCase{"BoundaryTextInsideABodyLine",
                "Content-Type: multipart/related; boundary=b\r\n\r\n--b\r\nContent-Type: text/html\r\n\r\nx\r\n--bb not it\r\ny\r\n--b--",
                "x\r\n--bb not it\r\ny"}));

TEST(Mhtml, PartsAreListedWithTheirHeadersAndFoundByAddress) {
    const std::string archive =
        "Subject: =?utf-8?Q?caf=C3?= =?utf-8?Q?=A9_?=\r\n =?iso-8859-1?b?6Q==?= end\r\n"
        "Content-Type: multipart/related;\r\n\ttype=\"text/html\"; boundary=\"--sep--\"\r\n\r\n"
        "----sep--\r\nContent-Type: text/html\r\nContent-Location: http://Host.example/dir/page.html\r\n\r\n"
        "<img src=\"../img/a%20b.png\"><img src=\"cid:pic%40x\">\r\n"
        "----sep--\r\nContent-Type: image/png\r\nContent-Transfer-Encoding: base64\r\n"
        "Content-Location: http://host.example/img/a b.png\r\n\r\nAAEC\r\n/w==\r\n\r\n"
        "----sep--\r\nContent-Type: image/gif\r\nContent-ID: <pic@x>\r\nContent-Transfer-Encoding: binary\r\n\r\nGIF\x00\xFF"
        "\r\n----sep----\r\nepilogue"s;
    const qv::MhtmlArchive decoded = qv::DecodeMhtml(archive);
    ASSERT_TRUE(decoded.ok());
    EXPECT_EQ(decoded.title, "caf\xC3\xA9 \xC3\xA9 end");
    ASSERT_EQ(decoded.parts.size(), 3u);
    EXPECT_EQ(decoded.envelope.contentType, "multipart/related;\ttype=\"text/html\"; boundary=\"--sep--\"");
    EXPECT_EQ(decoded.parts[1].bytes, std::string("\x00\x01\x02\xFF", 4));
    EXPECT_EQ(decoded.parts[2].bytes, std::string("GIF\x00\xFF", 5));
    EXPECT_EQ(decoded.parts[2].contentId, "<pic@x>");

    EXPECT_EQ(decoded.Find("../img/a%20b.png"), &decoded.parts[1]);
    EXPECT_EQ(decoded.Find("HTTP://HOST.EXAMPLE/img/a b.png"), &decoded.parts[1]);
    EXPECT_EQ(decoded.Find("cid:pic%40x"), &decoded.parts[2]);
    EXPECT_EQ(decoded.Find("cid:pic@x"), &decoded.parts[2]);
    EXPECT_EQ(decoded.Find("page.html"), &decoded.parts[0]);
    for (const char* foreign : {"cid:other@x", "file:///etc/passwd", "/etc/passwd", "../../../etc/passwd",
                                "http://elsewhere.example/img/a b.png", "img/A b.png", "", "#top"}) {
        EXPECT_EQ(decoded.Find(foreign), nullptr) << foreign;
    }
}

TEST(Mhtml, SaysWhenThereIsNoPage) {
    struct Case {
        std::string bytes;
        qv::MhtmlStatus status;
    };
    const Case cases[] = {
        {"", qv::MhtmlStatus::NoHeader},
        {"\r\n\r\n<html>hi</html>", qv::MhtmlStatus::NoHeader},
        {"<html><body>not an archive</body></html>", qv::MhtmlStatus::NoHeader},
        {"Content-Type: image/png\r\n\r\n\x89PNG", qv::MhtmlStatus::NoPage},
        {"MIME-Version: 1.0\r\n\r\n<p>no type: plain text</p>", qv::MhtmlStatus::NoPage},
        {"Content-Type: multipart/related; boundary=b\r\n\r\n--b\r\nContent-Type: text/css\r\n\r\np{}\r\n--b--", qv::MhtmlStatus::NoPage},
        {"Content-Type: multipart/related; boundary=b\r\n\r\nno delimiter at all", qv::MhtmlStatus::NoPage},
        {"Content-Type: text/html\r\n", qv::MhtmlStatus::NoPage},
        {"Content-Type: text/html\r\nContent-Tran", qv::MhtmlStatus::NoPage},
        {"Content-Type: text/html\r\n\r\n", qv::MhtmlStatus::Ok},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(qv::DecodeMhtml(c.bytes).status, c.status) << c.bytes;
    }
}

TEST(Mhtml, ResolvesReferencesAgainstThePageAddress) {
    const std::string base = "http://a/b/c/d;p?q";
    const std::pair<const char*, const char*> cases[] = {
        {"g", "http://a/b/c/g"},       {"./g", "http://a/b/c/g"},      {"g/", "http://a/b/c/g/"},
        {"/g", "http://a/g"},          {"//g", "http://g"},            {"?y", "http://a/b/c/d;p?y"},
        {"g?y", "http://a/b/c/g?y"},   {"#s", "http://a/b/c/d;p?q"},   {"", "http://a/b/c/d;p?q"},
        {"..", "http://a/b/"},         {"../g", "http://a/b/g"},       {"../..", "http://a/"},
        {"../../../g", "http://a/g"},  {"/./g", "http://a/g"},         {"g;x=1/../y", "http://a/b/c/y"},
        {"cid:x@y", "cid:x@y"},        {"FILE:///etc/../passwd", "file:///passwd"},
    };
    for (const auto& [reference, resolved] : cases) {
        EXPECT_EQ(qv::ResolveReference(base, reference), resolved) << reference;
    }
    EXPECT_EQ(qv::ResolveReference("http://h", "p.png"), "http://h/p.png");
    EXPECT_EQ(qv::ResolveReference("", "img/p.png"), "img/p.png");
}

TEST(Mhtml, EveryCoursePageDecodesToTheHtmlItWasBuiltFrom) {
    const coursec::Course course = coursec::ReadCourse(fs::path(QUORVALE_COURSE_SOURCE) / "course.qvc");
    const qv::DirectoryResourceSource pack{QUORVALE_COURSE_PACK};
    int pages = 0;
    for (const auto& module : course.modules) {
        for (const auto& topic : module.topics) {
            for (const auto& paper : topic.papers) {
                for (const auto& question : paper.questions) {
                    const auto bytes = pack.Load(question.id, qv::kResourceType);
                    ASSERT_TRUE(bytes.has_value()) << question.id;
                    const qv::MhtmlArchive archive = qv::DecodeMhtml(*bytes);
                    ASSERT_TRUE(archive.ok()) << question.id;
                    ASSERT_EQ(archive.html, coursec::BuildQuestionHtml(question)) << question.id;
                    EXPECT_EQ(archive.title, "Question " + std::to_string(question.id));
                    ++pages;
                }
            }
        }
    }
    EXPECT_EQ(pages, 1005);
}

// Damaged archives: every cut of a real archive, bytes changed at random, and
// random bytes decode without a crash or an endless loop.
TEST(Mhtml, DamagedInputIsReadAsFarAsItGoes) {
    std::vector<std::string> samples = {*qv::DirectoryResourceSource(QUORVALE_COURSE_PACK).Load(13001, "Custom")};
    for (const fs::path& file : SavedPages()) samples.push_back(ReadFile(file));
    samples.push_back(
        "Content-Type: multipart/related; boundary=b\r\n\r\n--b\r\nContent-Type: multipart/related; boundary=c\r\n\r\n"
        "--c\r\nContent-Type: text/html; charset=utf-8\r\nContent-Transfer-Encoding: base64\r\n\r\nPGI+\r\n--c--\r\n--b--");
    std::mt19937 random(8);
    std::size_t pagesFound = 0;
    for (const std::string& sample : samples) {
        for (std::size_t length = 0; length <= sample.size(); ++length) {
            pagesFound += qv::DecodeMhtml(std::string_view(sample).substr(0, length)).ok();
        }
        for (int round = 0; round < 300; ++round) {
            std::string damaged = sample;
            for (int k = 0; k < 4; ++k) damaged[random() % damaged.size()] = static_cast<char>(random());
            const qv::MhtmlArchive archive = qv::DecodeMhtml(damaged);
            if (archive.ok()) {
                for (const auto& part : archive.parts) archive.Find(part.location);
            }
        }
    }
    EXPECT_GT(pagesFound, 0u);
    for (int round = 0; round < 500; ++round) {
        std::string bytes(random() % 600, '\0');
        for (char& c : bytes) c = static_cast<char>(random() % 4 == 0 ? "=-\r\n:;\"?"[random() % 8] : random());
        qv::DecodeMhtml("Content-Type: multipart/related; boundary=-\r\n\r\n" + bytes);
        qv::DecodeMhtml(bytes);
    }
    // Multiparts nested ever deeper: the few outer levels are opened, no more.
    const auto nested = [](int depth) {
        std::string text = "Content-Type: multipart/related; boundary=b0\r\n\r\n";
        for (int level = 0; level < depth; ++level) {
            text += "--b" + std::to_string(level) + "\r\nContent-Type: multipart/related; boundary=b" +
                    std::to_string(level + 1) + "\r\n\r\n";
        }
        return text + "--b" + std::to_string(depth) + "\r\nContent-Type: text/html\r\n\r\npage";
    };
    EXPECT_TRUE(qv::DecodeMhtml(nested(4)).ok());
    EXPECT_EQ(qv::DecodeMhtml(nested(50)).status, qv::MhtmlStatus::NoPage);
    EXPECT_EQ(qv::DecodeMhtml(nested(20000)).status, qv::MhtmlStatus::NoPage);
    EXPECT_EQ(qv::DecodeQuotedPrintable(std::string(100000, '=')), std::string(99999, '='));
}

}  // namespace
