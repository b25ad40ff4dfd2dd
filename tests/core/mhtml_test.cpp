#include "mhtml/mhtml.h"

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
#include "mhtml_samples.h"
#include "mhtml/mhtml_codec.h"

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using mhtml_samples::ReadFile;
using mhtml_samples::SavedPages;

// A single-part page in quoted-printable.
std::string Page(const std::string& body, const std::string& type = "text/html",
                 const std::string& encoding = "quoted-printable") {
    return "MIME-Version: 1.0\r\nContent-Type: " + type +
           "\r\nContent-Transfer-Encoding: " + encoding +
           "\r\nContent-Location: file:///q/page.htm\r\n\r\n" + body;
}

struct OddCase {
    const char* name;
    std::string archive;
    std::string html;  // the page as UTF-8
};
void PrintTo(const OddCase& c, std::ostream* os) {
    *os << c.name;
}

class MhtmlOddCases : public testing::TestWithParam<OddCase> {};

TEST_P(MhtmlOddCases, DecodeToThePage) {
    const qv::MhtmlArchive archive = qv::DecodeMhtml(GetParam().archive);
    ASSERT_TRUE(archive.ok());
    EXPECT_EQ(archive.html, GetParam().html);
    if (std::string(GetParam().name) == "MissingFinalBoundary") {
        EXPECT_EQ(archive.parts.back().bytes, "picture");
    }
}

const std::string kMetaUtf8 =
    "<meta http-equiv=3D\"Content-Type\" content=3D\"text/html; charset=3Dutf-8\">";
const std::string kMetaUtf8Plain =
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">";

INSTANTIATE_TEST_SUITE_P(
    Cases, MhtmlOddCases,
    testing::Values(
        OddCase{"SoftLineBreaks", Page("<p>Hel=\r\nlo wor=  \r\nld</p>\r\n<p>two</p>"),
                "<p>Hello world</p>\r\n<p>two</p>"},
        OddCase{"LowerCaseHex", Page(kMetaUtf8 + "caf=c3=a9 =3d", "text/html"),
                kMetaUtf8Plain + "caf\xC3\xA9 ="},
        OddCase{"BadEscapesStayAsText", Page("a=ZZb =4 100%=\r\n= end=G1"),
                "a=ZZb =4 100%= end=G1"},
        OddCase{"TrailingBlanksDropped", Page("one   \r\ntwo=20\r\n"), "one\r\ntwo \r\n"},
        OddCase{"LineFeedsOnly", Page("<p>a=\nb</p>\n<p>c</p>\n"), "<p>ab</p>\n<p>c</p>\n"},
        OddCase{"SoftBreakInsideAUtf8Character", Page(kMetaUtf8 + "caf=C3=\r\n=A9 na=C3=\r\n=AFve"),
                kMetaUtf8Plain + "caf\xC3\xA9 na\xC3\xAFve"},
        OddCase{"MetaCharsetWindows1252", Page("<meta charset=3D\"windows-1252\">=C3=\r\n=A9"),
                "<meta charset=\"windows-1252\">\xC3\x83\xC2\xA9"},
        OddCase{"MetaHttpEquivWindows1252",
                Page("<meta content=3D'text/html;charset=3D\"Windows-1252\"' "
                     "http-equiv=3DContent-Type>=C3=A9"),
                "<meta content='text/html;charset=\"Windows-1252\"' "
                "http-equiv=Content-Type>\xC3\x83\xC2\xA9"},
        OddCase{"MetaCharsetUnquotedUtf8", Page("<META CHARSET=3DUTF-8><p>=E2=82=AC=E9</p>"),
                "<META CHARSET=UTF-8><p>\xE2\x82\xAC\xEF\xBF\xBD</p>"},
        OddCase{"MetaAfterOtherMetas",
                Page("<meta name=3Dx><meta/><meta http-equiv=3D\"refresh\" "
                     "content=3D\"charset=3Dutf-8\"><meta charset=3Dcp1252>=C3=A9"),
                "<meta name=x><meta/><meta http-equiv=\"refresh\" content=\"charset=utf-8\"><meta "
                "charset=cp1252>\xC3\x83\xC2\xA9"},
        OddCase{"HeaderCharsetBeatsTheMeta",
                Page("<meta charset=3D\"windows-1252\">=C3=A9", "text/html; charset=\"utf-8\""),
                "<meta charset=\"windows-1252\">\xC3\xA9"},
        OddCase{"Latin1ReadsAsWindows1252", Page("=E9=93", "text/html; charset=ISO-8859-1"),
                "\xC3\xA9\xE2\x80\x9C"},
        OddCase{"UsAsciiWithAStrayByte", Page("caf=E9", "text/html;\r\n\tcharset=\"us-ascii\""),
                "caf\xC3\xA9"},
        OddCase{"NoCharsetValidUtf8", Page("caf\xC3\xA9", "text/html", "8bit"), "caf\xC3\xA9"},
        OddCase{"NoCharsetNotUtf8", Page("caf\xE9", "text/html", "8bit"), "caf\xC3\xA9"},
        OddCase{"BadUtf8Replaced",
                Page("a\xC3(b\xED\xA0\x80", "text/html; charset=utf-8", "binary"),
                "a\xEF\xBF\xBD(b\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
        OddCase{"ByteOrderMarkDropped",
                Page("\xEF\xBB\xBFhi", "text/html; charset=windows-1252", "8bit"), "hi"},
        OddCase{"Base64WithBlanksAndNoPadding", Page("PGI+\r\n SGk8\tL2I+", "text/html", "base64"),
                "<b>Hi</b>"},
        OddCase{"NoTransferEncoding", "Content-Type: text/html\r\n\r\n<p>a=3D</p>", "<p>a=3D</p>"},
        OddCase{"MissingFinalBoundary",
                "Content-Type: multipart/related; "
                "boundary=XYZ\r\n\r\npreamble\r\n--XYZ\r\nContent-Type: text/html\r\n\r\n"
                "<p>page</p>\r\n--XYZ\r\nContent-Type: image/png\r\nContent-Location: "
                "a.png\r\n\r\npicture",
                "<p>page</p>"},
        OddCase{"StartParameterChoosesThePage",
                "Content-Type: multipart/related; start=\"<two@x>\"; "
                "boundary=\"b\"\r\n\r\n--b\r\nContent-Type: text/html\r\n"
                "Content-ID: <one@x>\r\n\r\nfirst\r\n--b\r\nContent-Type: text/html\r\nContent-ID: "
                "<two@x>\r\n\r\nsecond\r\n--b--\r\n",
                "second"},
        OddCase{"NestedAlternative",
                "Content-Type: multipart/related; boundary=outer\r\n\r\n--outer\r\nContent-Type: "
                "multipart/alternative; boundary=inner\r\n\r\n"
                "--inner\r\nContent-Type: text/plain\r\n\r\nplain\r\n--inner\r\nContent-Type: "
                "text/html\r\n\r\n<i>rich</i>\r\n--inner--\r\n"
                "--outer--\r\n",
                "<i>rich</i>"},
        OddCase{"BoundaryMissingFromTheHeader",
                "Content-Type: multipart/related\r\n\r\n--guess\r\nContent-Type: "
                "text/html\r\n\r\nfound\r\n--guess--",
                "found"},
        OddCase{"BoundaryTextInsideABodyLine",
                "Content-Type: multipart/related; boundary=b\r\n\r\n--b\r\nContent-Type: "
                "text/html\r\n\r\nx\r\n--bb not it\r\ny\r\n--b--",
                "x\r\n--bb not it\r\ny"}));

TEST(Mhtml, PartsAreListedWithTheirHeadersAndFoundByAddress) {
    const std::string archive =
        "Subject: =?utf-8?Q?caf=C3?= =?utf-8?Q?=A9_?=\r\n =?iso-8859-1?b?6Q==?= end\r\n"
        "Content-Type: multipart/related;\r\n\ttype=\"text/html\"; boundary=\"--sep--\"\r\n\r\n"
        "----sep--\r\nContent-Type: text/html\r\nContent-Location: "
        "http://Host.example/dir/page.html\r\n\r\n"
        "<img src=\"../img/a%20b.png\"><img src=\"cid:pic%40x\">\r\n"
        "----sep--\r\nContent-Type: image/png\r\nContent-Transfer-Encoding: base64\r\n"
        "Content-Location: http://host.example/img/a b.png\r\n\r\nAAEC\r\n/w==\r\n\r\n"
        "----sep--\r\nContent-Type: image/gif\r\nContent-ID: <pic@x>\r\nContent-Transfer-Encoding: "
        "binary\r\n\r\nGIF\x00\xFF"
        "\r\n----sep----\r\nepilogue"s;
    const qv::MhtmlArchive decoded = qv::DecodeMhtml(archive);
    ASSERT_TRUE(decoded.ok());
    EXPECT_EQ(decoded.title, "caf\xC3\xA9 \xC3\xA9 end");
    ASSERT_EQ(decoded.parts.size(), 3u);
    EXPECT_EQ(decoded.envelope.contentType,
              "multipart/related;\ttype=\"text/html\"; boundary=\"--sep--\"");
    EXPECT_EQ(decoded.parts[1].bytes, std::string("\x00\x01\x02\xFF", 4));
    EXPECT_EQ(decoded.parts[2].bytes, std::string("GIF\x00\xFF", 5));
    EXPECT_EQ(decoded.parts[2].contentId, "<pic@x>");

    EXPECT_EQ(decoded.Find("../img/a%20b.png"), &decoded.parts[1]);
    EXPECT_EQ(decoded.Find("HTTP://HOST.EXAMPLE/img/a b.png"), &decoded.parts[1]);
    EXPECT_EQ(decoded.Find("cid:pic%40x"), &decoded.parts[2]);
    EXPECT_EQ(decoded.Find("cid:pic@x"), &decoded.parts[2]);
    EXPECT_EQ(decoded.Find("page.html"), &decoded.parts[0]);
    for (const char* foreign :
         {"cid:other@x", "file:///etc/passwd", "/etc/passwd", "../../../etc/passwd",
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
        {"Content-Type: multipart/related; boundary=b\r\n\r\n--b\r\nContent-Type: "
         "text/css\r\n\r\np{}\r\n--b--",
         qv::MhtmlStatus::NoPage},
        {"Content-Type: multipart/related; boundary=b\r\n\r\nno delimiter at all",
         qv::MhtmlStatus::NoPage},
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
        {"g", "http://a/b/c/g"},
        {"./g", "http://a/b/c/g"},
        {"g/", "http://a/b/c/g/"},
        {"/g", "http://a/g"},
        {"//g", "http://g"},
        {"?y", "http://a/b/c/d;p?y"},
        {"g?y", "http://a/b/c/g?y"},
        {"#s", "http://a/b/c/d;p?q"},
        {"", "http://a/b/c/d;p?q"},
        {"..", "http://a/b/"},
        {"../g", "http://a/b/g"},
        {"../..", "http://a/"},
        {"../../../g", "http://a/g"},
        {"/./g", "http://a/g"},
        {"g;x=1/../y", "http://a/b/c/y"},
        {"cid:x@y", "cid:x@y"},
        {"FILE:///etc/../passwd", "file:///passwd"},
    };
    for (const auto& [reference, resolved] : cases) {
        EXPECT_EQ(qv::ResolveReference(base, reference), resolved) << reference;
    }
    EXPECT_EQ(qv::ResolveReference("http://h", "p.png"), "http://h/p.png");
    EXPECT_EQ(qv::ResolveReference("", "img/p.png"), "img/p.png");
}

TEST(Mhtml, EveryCoursePageDecodesToTheHtmlItWasBuiltFrom) {
    const coursec::Course course =
        coursec::ReadCourse(fs::path(QUORVALE_COURSE_SOURCE) / "course.qvc");
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
    std::vector<std::string> samples = {
        *qv::DirectoryResourceSource(QUORVALE_COURSE_PACK).Load(13001, "Custom")};
    for (const fs::path& file : SavedPages()) samples.push_back(ReadFile(file));
    samples.push_back(
        "Content-Type: multipart/related; boundary=b\r\n\r\n--b\r\nContent-Type: "
        "multipart/related; boundary=c\r\n\r\n"
        "--c\r\nContent-Type: text/html; charset=utf-8\r\nContent-Transfer-Encoding: "
        "base64\r\n\r\nPGI+\r\n--c--\r\n--b--");
    std::mt19937 random(8);
    std::size_t pagesFound = 0;
    for (const std::string& sample : samples) {
        for (std::size_t length = 0; length <= sample.size(); ++length) {
            pagesFound += qv::DecodeMhtml(std::string_view(sample).substr(0, length)).ok();
        }
        for (int round = 0; round < 300; ++round) {
            std::string damaged = sample;
            for (int k = 0; k < 4; ++k)
                damaged[random() % damaged.size()] = static_cast<char>(random());
            const qv::MhtmlArchive archive = qv::DecodeMhtml(damaged);
            if (archive.ok()) {
                for (const auto& part : archive.parts) archive.Find(part.location);
            }
        }
    }
    EXPECT_GT(pagesFound, 0u);
    for (int round = 0; round < 500; ++round) {
        std::string bytes(random() % 600, '\0');
        for (char& c : bytes)
            c = static_cast<char>(random() % 4 == 0 ? "=-\r\n:;\"?"[random() % 8] : random());
        qv::DecodeMhtml("Content-Type: multipart/related; boundary=-\r\n\r\n" + bytes);
        qv::DecodeMhtml(bytes);
    }
    // Multiparts nested ever deeper: the few outer levels are opened, no more.
    const auto nested = [](int depth) {
        std::string text = "Content-Type: multipart/related; boundary=b0\r\n\r\n";
        for (int level = 0; level < depth; ++level) {
            text += "--b" + std::to_string(level) +
                    "\r\nContent-Type: multipart/related; boundary=b" + std::to_string(level + 1) +
                    "\r\n\r\n";
        }
        return text + "--b" + std::to_string(depth) + "\r\nContent-Type: text/html\r\n\r\npage";
    };
    EXPECT_TRUE(qv::DecodeMhtml(nested(4)).ok());
    EXPECT_EQ(qv::DecodeMhtml(nested(50)).status, qv::MhtmlStatus::NoPage);
    EXPECT_EQ(qv::DecodeMhtml(nested(20000)).status, qv::MhtmlStatus::NoPage);
    EXPECT_EQ(qv::DecodeQuotedPrintable(std::string(100000, '=')), std::string(99999, '='));

    // Long runs that look like the start of something are read once, not again and again.
    std::string words;
    while (words.size() < 400000) words += "=?utf-8?q?a ";
    EXPECT_TRUE(qv::DecodeHeaderWords(words) == words);
    std::string metas;
    while (metas.size() < 4096) metas += "<metaa";
    EXPECT_EQ(qv::MetaCharset(metas), "");
}

}  // namespace
