#include "web/web_address.h"

#include <cstddef>

#include "engine/text_rules.h"
#include "web/version_number.h"

namespace tw {
namespace {

bool IsAsciiLetterOrDigit(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

bool StartsWithIgnoringCase(std::string_view text, std::string_view start) {
    return text.size() >= start.size() && SameIgnoringCase(text.substr(0, start.size()), start);
}

// A host name, an IPv4 address or a bracketed IPv6 address.
bool IsHost(std::string_view host) {
    if (host.empty()) return false;
    if (host.front() == '[') {
        if (host.size() < 3 || host.back() != ']') return false;
        for (const char c : host.substr(1, host.size() - 2))
            if (!IsHexDigit(c) && c != ':' && c != '.') return false;
        return true;
    }
    for (const char c : host)
        if (!IsAsciiLetterOrDigit(c) && c != '-' && c != '.' && c != '_' && c != '~' && c != '%') return false;
    return true;
}

bool IsPort(std::string_view port) {
    if (port.size() > 5) return false;
    unsigned value = 0;
    for (const char c : port) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    return value <= 65535;
}

// The host and port part of an address that begins with a scheme and "//".
bool IsAuthority(std::string_view authority) {
    if (authority.find('@') != std::string_view::npos) return false;
    std::string_view host = authority;
    const std::size_t colon = authority.rfind(':');
    if (colon != std::string_view::npos && authority.find(']', colon) == std::string_view::npos) {
        host = authority.substr(0, colon);
        if (!IsPort(authority.substr(colon + 1))) return false;
    }
    return IsHost(host);
}

std::size_t SchemeLength(std::string_view address) {
    if (StartsWithIgnoringCase(address, "http://")) return 7;
    if (StartsWithIgnoringCase(address, "https://")) return 8;
    return 0;
}

std::string PercentEncodeHighBytes(std::string_view text) {
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string encoded;
    encoded.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            encoded += c;
            continue;
        }
        encoded += '%';
        encoded += Hex[byte >> 4];
        encoded += Hex[byte & 0x0F];
    }
    return encoded;
}

}  // namespace

bool IsWebAddress(std::string_view address) {
    const std::size_t scheme = SchemeLength(address);
    if (scheme == 0) return false;
    for (const char c : address) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte == 0x7F) return false;
    }
    const std::string_view rest = address.substr(scheme);
    return IsAuthority(rest.substr(0, rest.find_first_of("/?#")));
}

std::optional<std::string> BaseUrlFrom(std::string_view text) {
    const std::string_view address = TrimBlanks(text);
    if (!IsWebAddress(address) || address.find_first_of("?#") != std::string_view::npos) return std::nullopt;
    std::string base(address);
    if (base.back() != '/') base += '/';
    return base;
}

bool IsLocalCommandLine(const std::vector<std::string>& args) { return args.size() == 1 && args.front() == LocalWord; }

std::string ChooseBaseUrl(bool localWord, const std::optional<std::string>& variable) {
    if (localWord) return std::string(LocalBaseUrl);
    if (variable)
        if (auto base = BaseUrlFrom(*variable)) return *base;
    return std::string(HomeBaseUrl);
}

std::string DocumentAddress(std::string_view baseUrl, std::string_view document) {
    return std::string(baseUrl) + std::string(document);
}

std::string FromQueryItem(ProgramVersion version) { return "from=TunewrightV" + VersionText(version); }

std::optional<std::string> AddressToOpen(std::string_view address, ProgramVersion version) {
    address = TrimBlanks(address);
    if (!IsWebAddress(address)) return std::nullopt;
    const std::size_t hash = address.find('#');
    const std::string_view beforeFragment = address.substr(0, hash);
    const std::string_view fragment = hash == std::string_view::npos ? std::string_view{} : address.substr(hash);

    std::string opened(beforeFragment);
    if (opened.find('?') == std::string::npos) opened += '?';
    else if (opened.back() != '?' && opened.back() != '&') opened += '&';
    opened += FromQueryItem(version);
    opened += fragment;
    return PercentEncodeHighBytes(opened);
}

}  // namespace tw
