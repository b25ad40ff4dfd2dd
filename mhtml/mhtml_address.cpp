// Resolving the addresses a saved page names against the page's own address.

#include <vector>

#include "course/text.h"
#include "mhtml/mhtml.h"

namespace qv {

namespace {

struct Address {
    std::string scheme;  // lower case, empty when there is none
    bool hasAuthority = false;
    std::string authority;
    std::string path;
    bool hasQuery = false;
    std::string query;
};

bool IsSchemeChar(char c, bool first) {
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    return letter || (!first && ((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.'));
}

Address Split(std::string_view text) {
    Address address;
    text = text.substr(0, text.find('#'));
    std::size_t i = 0;
    while (i < text.size() && IsSchemeChar(text[i], i == 0)) ++i;
    if (i > 0 && i < text.size() && text[i] == ':') {
        address.scheme = AsciiLowerCopy(text.substr(0, i));
        text.remove_prefix(i + 1);
    }
    if (text.substr(0, 2) == "//") {
        const std::size_t end = text.find_first_of("/?", 2);
        address.hasAuthority = true;
        address.authority = AsciiLowerCopy(
            text.substr(2, end == std::string_view::npos ? std::string_view::npos : end - 2));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end);
    }
    const std::size_t question = text.find('?');
    address.path = std::string(text.substr(0, question));
    if (question != std::string_view::npos) {
        address.hasQuery = true;
        address.query = std::string(text.substr(question + 1));
    }
    return address;
}

std::string RemoveDotSegments(std::string_view path) {
    std::vector<std::string_view> segments;
    const bool absolute = !path.empty() && path.front() == '/';
    if (absolute) path.remove_prefix(1);
    bool trailingSlash = false;
    while (true) {
        const std::size_t slash = path.find('/');
        const std::string_view segment = path.substr(0, slash);
        const bool last = slash == std::string_view::npos;
        if (segment == "..") {
            if (!segments.empty()) segments.pop_back();
            trailingSlash = true;
        } else if (segment == ".") {
            trailingSlash = true;
        } else {
            segments.push_back(segment);
            trailingSlash = false;
        }
        if (last) break;
        path.remove_prefix(slash + 1);
    }
    std::string out = absolute ? "/" : "";
    for (std::size_t i = 0; i < segments.size(); ++i) {
        if (i > 0) out += '/';
        out += segments[i];
    }
    if (trailingSlash && !segments.empty()) out += '/';
    return out;
}

std::string Join(const Address& address) {
    std::string out;
    if (!address.scheme.empty()) out += address.scheme + ":";
    if (address.hasAuthority) out += "//" + address.authority;
    out += address.path;
    if (address.hasQuery) out += "?" + address.query;
    return out;
}

}  // namespace

std::string ResolveReference(std::string_view base, std::string_view reference) {
    const Address r = Split(reference);
    const Address b = Split(base);
    Address t;
    if (!r.scheme.empty()) {
        t = r;
        t.path = RemoveDotSegments(r.path);
        return Join(t);
    }
    t.scheme = b.scheme;
    if (r.hasAuthority) {
        t.hasAuthority = true;
        t.authority = r.authority;
        t.path = RemoveDotSegments(r.path);
        t.hasQuery = r.hasQuery;
        t.query = r.query;
        return Join(t);
    }
    t.hasAuthority = b.hasAuthority;
    t.authority = b.authority;
    if (r.path.empty()) {
        t.path = b.path;
        t.hasQuery = r.hasQuery || b.hasQuery;
        t.query = r.hasQuery ? r.query : b.query;
        return Join(t);
    }
    if (r.path.front() == '/') {
        t.path = RemoveDotSegments(r.path);
    } else if (b.hasAuthority && b.path.empty()) {
        t.path = RemoveDotSegments("/" + r.path);
    } else {
        const std::size_t slash = b.path.rfind('/');
        t.path = RemoveDotSegments(
            (slash == std::string::npos ? std::string() : b.path.substr(0, slash + 1)) + r.path);
    }
    t.hasQuery = r.hasQuery;
    t.query = r.query;
    return Join(t);
}

}  // namespace qv
