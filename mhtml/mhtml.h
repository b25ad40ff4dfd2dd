#pragma once

// A saved web page: a MIME HTML archive (a single HTML part, or a
// multipart/related message whose first part is the page and whose other
// parts are its pictures and style sheets). Decoding never fails outright on
// damaged input: it reads what it can and says whether a page was found.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

struct MhtmlPart {
    // Header values as they stand in the file (a folded header is joined by
    // dropping its line breaks); empty when the header is absent.
    std::string contentType;
    std::string transferEncoding;
    std::string location;   // Content-Location
    std::string contentId;  // Content-ID, angle brackets included

    std::string mediaType;  // "text/html": lower case, no parameters; "text/plain" when absent
    std::string charset;    // the charset parameter, or empty
    std::string bytes;      // the body with its transfer encoding undone
};

enum class MhtmlStatus {
    Ok,
    NoHeader,  // the file does not start with a header: not an archive
    NoPage,    // an archive cut short in its header, or without an HTML page in it
};

struct MhtmlArchive {
    MhtmlStatus status = MhtmlStatus::NoHeader;
    MhtmlPart envelope;            // the archive's own headers; no bytes
    std::string title;             // the Subject header, decoded, UTF-8
    std::vector<MhtmlPart> parts;  // every part holding content, in file order
    std::size_t root = 0;          // the page among the parts (valid when ok())
    std::string html;              // the page as UTF-8 text

    bool ok() const { return status == MhtmlStatus::Ok; }

    // The part a page names: a "cid:" address matches a Content-ID (or a
    // Content-Location that is itself a cid: address); any other address
    // matches a Content-Location exactly, or after both are resolved against
    // the page's own location. A fragment ("#top") is ignored. Nothing when
    // no part matches: nothing outside the archive is ever looked at.
    const MhtmlPart* Find(std::string_view reference) const;
};

// Decodes an archive held in memory.
MhtmlArchive DecodeMhtml(std::string_view bytes);

// The text of a part as UTF-8, read in the charset its header names, or for
// a page the one its <meta> tag names, or for a style sheet its @charset rule;
// without any of these, UTF-8 when the bytes are valid UTF-8, else
// Windows-1252.
std::string PartText(const MhtmlPart& part);

// An address resolved against a base address, dot segments removed
// ("http://a/b/c.html" + "../img/p.png" -> "http://a/img/p.png").
std::string ResolveReference(std::string_view base, std::string_view reference);

}  // namespace qv
