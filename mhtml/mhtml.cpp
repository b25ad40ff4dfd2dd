#include "mhtml/mhtml.h"

#include <map>
#include <utility>

#include "course/text.h"
#include "mhtml/mhtml_codec.h"

namespace qv {

namespace {

// Nested multiparts deeper than this are not opened.
constexpr int kMaxDepth = 8;

using Headers = std::vector<std::pair<std::string, std::string>>;  // lower-case name, value

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (IsBlank(text.front()) || text.front() == '\r' || text.front() == '\n'))
        text.remove_prefix(1);
    while (!text.empty() && (IsBlank(text.back()) || text.back() == '\r' || text.back() == '\n'))
        text.remove_suffix(1);
    return text;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && AsciiLowerCopy(text.substr(0, prefix.size())) == prefix;
}

std::string HeaderValue(const Headers& headers, std::string_view name) {
    for (const auto& [key, value] : headers) {
        if (key == name) return value;
    }
    return {};
}

// The line starting at `pos` without its line break; `next` is where the
// following line starts.
std::string_view LineAt(std::string_view text, std::size_t pos, std::size_t& next) {
    std::size_t end = text.find('\n', pos);
    next = end == std::string_view::npos ? text.size() : end + 1;
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

bool IsHeaderName(std::string_view name) {
    if (name.empty()) return false;
    for (const char c : name) {
        if (c <= 32 || c >= 127) return false;
    }
    return true;
}

// Reads header lines from `pos` up to the empty line that ends them (or a
// line that is no header); `pos` is left where the body starts. `complete`
// tells whether the empty line was there.
Headers ReadHeaders(std::string_view text, std::size_t& pos, bool& complete) {
    Headers headers;
    complete = false;
    while (pos < text.size()) {
        std::size_t next = 0;
        const std::string_view line = LineAt(text, pos, next);
        if (line.empty()) {
            pos = next;
            complete = true;
            break;
        }
        if (IsBlank(line.front()) && !headers.empty()) {
            headers.back().second += line;  // folded: the line break goes, the blank stays
            pos = next;
            continue;
        }
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos || !IsHeaderName(line.substr(0, colon))) break;
        std::string_view value = line.substr(colon + 1);
        while (!value.empty() && IsBlank(value.front())) value.remove_prefix(1);
        headers.emplace_back(AsciiLowerCopy(line.substr(0, colon)), std::string(value));
        pos = next;
    }
    for (auto& header : headers) header.second = std::string(Trim(header.second));
    return headers;
}

struct ContentType {
    std::string mediaType;
    std::map<std::string, std::string> parameters;  // lower-case names
};

ContentType ParseContentType(std::string_view value) {
    ContentType type;
    std::vector<std::string> pieces(1);
    bool quoted = false;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (quoted && c == '\\' && i + 1 < value.size()) {
            pieces.back() += value[++i];
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ';' && !quoted) {
            pieces.emplace_back();
        } else {
            pieces.back() += c;
        }
    }
    type.mediaType = AsciiLowerCopy(Trim(pieces.front()));
    if (type.mediaType.empty()) type.mediaType = "text/plain";
    for (std::size_t i = 1; i < pieces.size(); ++i) {
        const std::size_t equals = pieces[i].find('=');
        if (equals == std::string::npos) continue;
        const std::string name =
            AsciiLowerCopy(Trim(std::string_view(pieces[i]).substr(0, equals)));
        type.parameters.emplace(name,
                                std::string(Trim(std::string_view(pieces[i]).substr(equals + 1))));
    }
    return type;
}

MhtmlPart MakePart(const Headers& headers, const ContentType& type) {
    MhtmlPart part;
    part.contentType = HeaderValue(headers, "content-type");
    part.transferEncoding = HeaderValue(headers, "content-transfer-encoding");
    part.location = HeaderValue(headers, "content-location");
    part.contentId = HeaderValue(headers, "content-id");
    part.mediaType = type.mediaType;
    if (const auto found = type.parameters.find("charset"); found != type.parameters.end())
        part.charset = found->second;
    return part;
}

std::string UndoTransferEncoding(std::string_view body, std::string_view encoding) {
    const std::string name = AsciiLowerCopy(Trim(encoding));
    if (name == "quoted-printable") return DecodeQuotedPrintable(body);
    if (name == "base64") return DecodeBase64(body);
    return std::string(body);  // 7bit, 8bit, binary, or unknown: as it stands
}

// The parts of a multipart body, between its delimiter lines. The line break
// before a delimiter belongs to the delimiter. Without a closing delimiter
// the last part runs to the end.
std::vector<std::string_view> SplitMultipart(std::string_view body, std::string_view boundary) {
    std::vector<std::string_view> parts;
    const std::string delimiter = "--" + std::string(boundary);
    std::size_t contentStart = std::string_view::npos;
    std::size_t pos = 0;
    while (pos < body.size()) {
        std::size_t next = 0;
        const std::string_view line = LineAt(body, pos, next);
        if (line.substr(0, delimiter.size()) == delimiter) {
            std::string_view rest = line.substr(delimiter.size());
            const bool closing = rest.substr(0, 2) == "--";
            if (closing) rest.remove_prefix(2);
            if (Trim(rest).empty()) {
                if (contentStart != std::string_view::npos) {
                    std::size_t contentEnd = pos;
                    if (contentEnd > contentStart && body[contentEnd - 1] == '\n') --contentEnd;
                    if (contentEnd > contentStart && body[contentEnd - 1] == '\r') --contentEnd;
                    parts.push_back(body.substr(contentStart, contentEnd - contentStart));
                }
                if (closing) return parts;
                contentStart = next;
            }
        }
        pos = next;
    }
    if (contentStart != std::string_view::npos) parts.push_back(body.substr(contentStart));
    return parts;
}

// The boundary a multipart entity names, or for a damaged header the one its
// first delimiter-looking line shows.
std::string BoundaryOf(const ContentType& type, std::string_view body) {
    if (const auto found = type.parameters.find("boundary");
        found != type.parameters.end() && !found->second.empty()) {
        return found->second;
    }
    std::size_t pos = 0;
    while (pos < body.size()) {
        std::size_t next = 0;
        const std::string_view line = Trim(LineAt(body, pos, next));
        if (!line.empty())
            return line.substr(0, 2) == "--" && line.size() > 2 ? std::string(line.substr(2)) : "";
        pos = next;
    }
    return {};
}

void CollectParts(const Headers& headers, std::string_view body, int depth,
                  std::vector<MhtmlPart>& out) {
    const ContentType type = ParseContentType(HeaderValue(headers, "content-type"));
    if (type.mediaType.substr(0, 10) == "multipart/") {
        if (depth >= kMaxDepth) return;
        const std::string boundary = BoundaryOf(type, body);
        if (boundary.empty()) return;
        for (const std::string_view entity : SplitMultipart(body, boundary)) {
            std::size_t pos = 0;
            bool complete = false;  // a part cut short in its headers is kept, empty
            const Headers partHeaders = ReadHeaders(entity, pos, complete);
            CollectParts(partHeaders, entity.substr(pos), depth + 1, out);
        }
        return;
    }
    MhtmlPart part = MakePart(headers, type);
    part.bytes = UndoTransferEncoding(body, part.transferEncoding);
    out.push_back(std::move(part));
}

std::string Unbracket(std::string_view id) {
    id = Trim(id);
    if (id.size() >= 2 && id.front() == '<' && id.back() == '>') id = id.substr(1, id.size() - 2);
    return std::string(Trim(id));
}

std::string PercentDecode(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto hex = [](char c) {
            return (c >= '0' && c <= '9')   ? c - '0'
                   : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                   : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                            : -1;
        };
        if (text[i] == '%' && i + 2 < text.size() && hex(text[i + 1]) >= 0 &&
            hex(text[i + 2]) >= 0) {
            out += static_cast<char>(hex(text[i + 1]) * 16 + hex(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

bool IsPage(const MhtmlPart& part) {
    return part.mediaType == "text/html" || part.mediaType == "application/xhtml+xml";
}

// The page among the parts: the one the "start" parameter names, else the
// first HTML part.
std::size_t FindRoot(const std::vector<MhtmlPart>& parts, const MhtmlPart& envelope, bool& found) {
    const ContentType type = ParseContentType(envelope.contentType);
    if (const auto start = type.parameters.find("start"); start != type.parameters.end()) {
        for (std::size_t i = 0; i < parts.size(); ++i) {
            if (!parts[i].contentId.empty() &&
                Unbracket(parts[i].contentId) == Unbracket(start->second) && IsPage(parts[i])) {
                found = true;
                return i;
            }
        }
    }
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (IsPage(parts[i])) {
            found = true;
            return i;
        }
    }
    found = false;
    return 0;
}

std::string CssCharset(std::string_view css) {
    constexpr std::string_view kRule = "@charset \"";
    if (css.substr(0, 3) == "\xEF\xBB\xBF") css.remove_prefix(3);
    if (!StartsWithNoCase(css, kRule)) return {};
    const std::size_t close = css.find('"', kRule.size());
    return close == std::string_view::npos
               ? std::string()
               : std::string(css.substr(kRule.size(), close - kRule.size()));
}

}  // namespace

MhtmlArchive DecodeMhtml(std::string_view bytes) {
    MhtmlArchive archive;
    std::size_t pos = 0;
    bool complete = false;
    const Headers headers = ReadHeaders(bytes, pos, complete);
    if (headers.empty()) return archive;
    if (!complete) {  // cut short, or a header followed by stray text: nothing to trust as a page
        archive.status = MhtmlStatus::NoPage;
        return archive;
    }
    archive.envelope = MakePart(headers, ParseContentType(HeaderValue(headers, "content-type")));
    archive.title = DecodeHeaderWords(HeaderValue(headers, "subject"));
    CollectParts(headers, bytes.substr(pos), 0, archive.parts);
    bool found = false;
    archive.root = FindRoot(archive.parts, archive.envelope, found);
    archive.status = found ? MhtmlStatus::Ok : MhtmlStatus::NoPage;
    if (found) archive.html = PartText(archive.parts[archive.root]);
    return archive;
}

std::string PartText(const MhtmlPart& part) {
    Charset charset = CharsetFromLabel(part.charset);
    if (charset == Charset::Unknown && IsPage(part))
        charset = CharsetFromLabel(MetaCharset(part.bytes));
    if (charset == Charset::Unknown && part.mediaType == "text/css")
        charset = CharsetFromLabel(CssCharset(part.bytes));
    return TextToUtf8(part.bytes, charset);
}

const MhtmlPart* MhtmlArchive::Find(std::string_view reference) const {
    reference = Trim(reference);
    reference = reference.substr(0, reference.find('#'));
    if (reference.empty()) return nullptr;
    if (StartsWithNoCase(reference, "cid:")) {
        const std::string id = PercentDecode(reference.substr(4));
        for (const MhtmlPart& part : parts) {
            if (!part.contentId.empty() && Unbracket(part.contentId) == id) return &part;
        }
    }
    for (const MhtmlPart& part : parts) {
        if (!part.location.empty() && part.location == reference) return &part;
    }
    std::string base = ok() ? parts[root].location : std::string();
    if (base.empty()) base = envelope.location;
    const auto normalise = [&](std::string_view address) {
        return PercentDecode(ResolveReference(base, address));
    };
    const std::string target = normalise(reference);
    for (const MhtmlPart& part : parts) {
        if (!part.location.empty() && normalise(part.location) == target) return &part;
    }
    return nullptr;
}

}  // namespace qv
