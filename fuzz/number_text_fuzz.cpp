// Fuzz target for the number rules: the input check, the strict and lenient
// readers, the writer and the whole text-to-text conversion of every entry,
// under number settings that the input itself chooses.
//
// Input layout: three header bytes, then the body (missing header bytes count
// as zero).
//
//   byte 0  bits 0-1  how the body is decoded:
//                       0 UTF-8, any byte that is not part of a valid sequence
//                         taken as that code point;
//                       1 raw UTF-16LE code units;
//                       2 UTF-8 as in 0, but a stray byte 0x80..0x9F is a token
//                         that stands for a piece of the settings' notation
//                         (see tokenText: the settings' digits, marks, signs,
//                         white space, direction marks, lone surrogates);
//                       3 as 2, and the ASCII digits, ',' and '.' are written
//                         in the settings' notation (digits of its script, its
//                         group mark, its decimal mark), so that a US number
//                         turns into the same number in any locale.
//          bit 2     the minus sign: '-' or U+2212.
//          bits 3-5  the group sizes when byte 1 asks for unusual ones.
//          bit 6     whether the Arabic decimal and group marks are read too.
//   byte 1  bits 0-1  the decimal mark: '.', ',', U+066B, '.'.
//          bits 2-5  the group mark, from groupMarks (one entry is "the same
//                    as the decimal mark", which means no grouping; any other
//                    choice equal to the decimal mark becomes no grouping).
//          bits 6-7  group sizes: 3/3, 3/3, 3/2 (Indian), unusual (byte 0).
//   byte 2           the zero digit: below 256 - allZeros.size(), one of the
//                    zeros of the Qt locales; above, any decimal zero.
//
// When at least eight body bytes follow, they are also taken as the bits of a
// double and the writer is checked on that value directly.
//
// Every property is checked against a reference built here from other parts
// of the standard library (a grammar of its own, strtod, snprintf), so a fault
// in the core shows up as a disagreement, reported before the process aborts.

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "conversion_catalogue.h"
#include "convert_command.h"
#include "number_text.h"

namespace {

using mensora::NumberSettings;
using mensora::RunError;

// ---------------------------------------------------------------------------
// Digits and marks

// Every decimal digit (Unicode 14, general category Nd) is one of the ten
// consecutive code points that start at one of these zeros.
constexpr std::array<char32_t, 66> allZeros{{
    0x30,    0x660,   0x6F0,   0x7C0,   0x966,   0x9E6,   0xA66,   0xAE6,   0xB66,   0xBE6,   0xC66,
    0xCE6,   0xD66,   0xDE6,   0xE50,   0xED0,   0xF20,   0x1040,  0x1090,  0x17E0,  0x1810,  0x1946,
    0x19D0,  0x1A80,  0x1A90,  0x1B50,  0x1BB0,  0x1C40,  0x1C50,  0xA620,  0xA8D0,  0xA900,  0xA9D0,
    0xA9F0,  0xAA50,  0xABF0,  0xFF10,  0x104A0, 0x10D30, 0x11066, 0x110F0, 0x11136, 0x111D0, 0x112F0,
    0x11450, 0x114D0, 0x11650, 0x116C0, 0x11730, 0x118E0, 0x11950, 0x11C50, 0x11D50, 0x11DA0, 0x16A60,
    0x16AC0, 0x16B50, 0x1D7CE, 0x1D7D8, 0x1D7E2, 0x1D7EC, 0x1D7F6, 0x1E140, 0x1E2F0, 0x1E950, 0x1FBF0,
}};

// The zeros of the Qt locales' own digits.
constexpr std::array<char32_t, 10> localeZeros{{
    0x30, 0x660, 0x6F0, 0x966, 0x9E6, 0xF20, 0x1040, 0x1C50, 0x11136, 0x1E950,
}};

// The zero of c's script, or 0 when c is no digit.
char32_t zeroOf(char32_t c)
{
    for (const char32_t z : allZeros) {
        if (c >= z && c <= z + 9) return z;
    }
    return 0;
}

bool isWhiteSpace(char32_t c)
{
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F ||
           c == 0x3000 || c == 0x200B || c == 0xFEFF;
}

bool isDirectionMark(char32_t c) { return c == 0x200E || c == 0x200F || c == 0x061C; }

constexpr std::u32string_view spaceMarks = U"\u0020\u00A0\u202F\u2009";
constexpr std::u32string_view apostropheMarks = U"\u2019\u0027";

// The characters taken as decimal marks and as group marks in the settings.
struct Marks {
    std::u32string decimals;
    std::u32string groups;
};

Marks marksOf(NumberSettings s)
{
    Marks m;
    m.decimals.push_back(s.decimal);
    if (s.decimal == u'\u066B' && s.group != u'.') m.decimals.push_back(U'.');
    if (s.arabicMarks) m.decimals.push_back(U'\u066B');
    if (s.group != u'\0' && s.group != s.decimal) {
        if (spaceMarks.find(s.group) != std::u32string_view::npos) {
            m.groups = spaceMarks;
        } else if (apostropheMarks.find(s.group) != std::u32string_view::npos) {
            m.groups = apostropheMarks;
        } else {
            m.groups.push_back(s.group);
        }
        if (s.arabicMarks) m.groups.push_back(U'\u066C');
        std::erase_if(m.groups, [&](char32_t c) { return m.decimals.find(c) != std::u32string::npos; });
    }
    return m;
}

void appendCodePoint(std::u16string& out, char32_t cp)
{
    if (cp < 0x10000) {
        out.push_back(static_cast<char16_t>(cp));
    } else {
        cp -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    }
}

// ---------------------------------------------------------------------------
// Reporting

std::string printable(std::u16string_view text)
{
    std::string out;
    for (const char16_t c : text.substr(0, 200)) {
        if (c >= 0x20 && c < 0x7F && c != u'\\') {
            out.push_back(static_cast<char>(c));
        } else {
            char buf[16];
            std::snprintf(buf, sizeof buf, "\\u%04X", static_cast<unsigned>(c));
            out += buf;
        }
    }
    if (text.size() > 200) out += "...(" + std::to_string(text.size()) + " code units)";
    return out;
}

const char* errorName(RunError e)
{
    switch (e) {
    case RunError::None: return "None";
    case RunError::TypeMismatch: return "TypeMismatch";
    case RunError::Overflow: return "Overflow";
    case RunError::InvalidOperation: return "InvalidOperation";
    case RunError::OutOfMemory: return "OutOfMemory";
    case RunError::Internal: return "Internal";
    }
    return "?";
}

[[noreturn]] void fail(const char* what, std::u16string_view text, NumberSettings s, const std::string& detail = {})
{
    std::fprintf(stderr,
                 "\nnumber rules violated: %s\n  text: \"%s\"\n"
                 "  settings: decimal U+%04X, group U+%04X, sizes %u/%u, zero U+%04X, minus U+%04X\n%s%s",
                 what, printable(text).c_str(), static_cast<unsigned>(s.decimal), static_cast<unsigned>(s.group),
                 static_cast<unsigned>(s.groupSize), static_cast<unsigned>(s.groupRepeat),
                 static_cast<unsigned>(s.zero), static_cast<unsigned>(s.minus), detail.empty() ? "" : "  ",
                 detail.empty() ? "" : (detail + "\n").c_str());
    std::fflush(stderr);
    std::abort();
}

std::string describeValue(const char* label, double v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%s=%.17g (%a)", label, v, v);
    return buf;
}

// ---------------------------------------------------------------------------
// The header: settings and decoding

enum class Decoding { Utf8, Utf16, Utf8Tokens, Utf8Translated };

// Bits 2-5 of byte 1. sameAsDecimal asks for a group mark equal to the decimal
// mark, which the rules read as no grouping.
constexpr char16_t sameAsDecimal = u'\uFFFF';
constexpr std::array<char16_t, 16> groupMarks{{
    u',', u'.', u'\u00A0', u'\u202F', u'\u2019', u'\'', u'\u066C', u'\u2E41',
    u' ', u'\u2009', u'\0', sameAsDecimal, u',', u'.', u'\u202F', u'\0',
}};

// Bits 3-5 of byte 0: group sizes no locale uses, for the generality of the
// rule (a size of 0 allows no group there at all).
constexpr std::array<std::pair<std::uint8_t, std::uint8_t>, 8> unusualSizes{{
    {4, 4}, {2, 3}, {1, 1}, {2, 2}, {4, 3}, {0, 3}, {3, 0}, {6, 1},
}};

struct Header {
    NumberSettings settings;
    Decoding decoding = Decoding::Utf8;
};

Header readHeader(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2)
{
    Header h;
    h.decoding = static_cast<Decoding>(b0 & 3u);
    NumberSettings& s = h.settings;
    s.minus = (b0 & 4u) != 0 ? U'\u2212' : U'-';
    s.arabicMarks = (b0 & 64u) != 0;

    constexpr std::array<char16_t, 4> decimals{{u'.', u',', u'\u066B', u'.'}};
    s.decimal = decimals[b1 & 3u];
    const char16_t group = groupMarks[(b1 >> 2) & 15u];
    s.group = group == sameAsDecimal ? s.decimal : (group == s.decimal ? u'\0' : group);
    switch (b1 >> 6) {
    case 2: s.groupSize = 3; s.groupRepeat = 2; break;
    case 3: std::tie(s.groupSize, s.groupRepeat) = unusualSizes[(b0 >> 3) & 7u]; break;
    default: s.groupSize = 3; s.groupRepeat = 3; break;
    }

    constexpr unsigned firstAnyZero = 256 - allZeros.size();
    s.zero = b2 < firstAnyZero ? localeZeros[b2 % localeZeros.size()] : allZeros[b2 - firstAnyZero];
    return h;
}

// ---------------------------------------------------------------------------
// Decoding the body into a text

std::u16string decodeUtf16(const std::uint8_t* p, std::size_t n)
{
    std::u16string out;
    out.reserve(n / 2);
    for (std::size_t i = 0; i + 1 < n; i += 2) {
        out.push_back(static_cast<char16_t>(p[i] | (p[i + 1] << 8)));
    }
    return out;
}

// The next member of the look-alike set of the group mark (the mark itself
// where it has none).
char32_t lookAlikeOf(char16_t group)
{
    for (const std::u32string_view set : {spaceMarks, apostropheMarks}) {
        if (const auto at = set.find(group); at != std::u32string_view::npos) return set[(at + 1) % set.size()];
    }
    return group == u'\0' ? U',' : group;
}

// What a token byte 0x80..0x9F stands for in the settings.
void appendToken(std::u16string& out, std::uint8_t b, NumberSettings s)
{
    if (b <= 0x89) {
        appendCodePoint(out, s.zero + (b - 0x80));
        return;
    }
    char32_t c = 0;
    switch (b) {
    case 0x8A: c = s.group == u'\0' ? U',' : s.group; break;
    case 0x8B: c = lookAlikeOf(s.group); break;
    case 0x8C: c = s.decimal; break;
    case 0x8D: c = s.decimal == u'\u066B' ? U'.' : U'\u066B'; break;  // the other decimal mark
    case 0x8E: c = U'\u200E'; break;
    case 0x8F: c = U'\u200F'; break;
    case 0x90: c = U'\u061C'; break;
    case 0x91: c = U'\u2212'; break;
    case 0x92: c = s.minus; break;
    case 0x93: c = U'\u00A0'; break;
    case 0x94: c = U'\u202F'; break;
    case 0x95: c = U'\u2009'; break;
    case 0x96: c = U'\u3000'; break;  // white space, but never a group mark
    case 0x97: c = U'\u200B'; break;
    case 0x98: c = U'\uFEFF'; break;
    case 0x99: c = U'\u0085'; break;
    case 0x9A: c = U'\u2028'; break;
    case 0x9B: c = s.zero == U'0' ? U'\u0667' : U'7'; break;  // a seven of another script
    case 0x9C: out.push_back(u'\xD83A'); return;               // lone surrogates, or the two
    case 0x9D: out.push_back(u'\xDD50'); return;               // halves of the Adlam zero
    case 0x9E: c = U'\u066C'; break;
    default: c = U'\u2E41'; break;
    }
    appendCodePoint(out, c);
}

std::u16string decodeUtf8(const std::uint8_t* p, std::size_t n, Decoding decoding, NumberSettings s)
{
    const bool tokens = decoding == Decoding::Utf8Tokens || decoding == Decoding::Utf8Translated;
    const bool translated = decoding == Decoding::Utf8Translated;
    std::u16string out;
    out.reserve(n);
    std::size_t i = 0;
    while (i < n) {
        const std::uint8_t b = p[i];
        std::size_t len = 0;
        std::uint32_t cp = 0;
        if (b >= 0xC2 && b <= 0xDF) { len = 2; cp = b & 0x1Fu; }
        else if (b >= 0xE0 && b <= 0xEF) { len = 3; cp = b & 0x0Fu; }
        else if (b >= 0xF0 && b <= 0xF4) { len = 4; cp = b & 0x07u; }
        bool valid = len > 0 && i + len <= n;
        for (std::size_t k = 1; valid && k < len; ++k) {
            if ((p[i + k] & 0xC0) != 0x80) valid = false;
            else cp = (cp << 6) | (p[i + k] & 0x3Fu);
        }
        const std::uint32_t minimum = len == 3 ? 0x800u : (len == 4 ? 0x10000u : 0u);
        if (valid && cp >= minimum && cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF)) {
            appendCodePoint(out, cp);
            i += len;
            continue;
        }
        if (tokens && b >= 0x80 && b <= 0x9F) {
            appendToken(out, b, s);
        } else if (translated && b >= '0' && b <= '9') {
            appendCodePoint(out, s.zero + (b - '0'));
        } else if (translated && b == ',') {
            out.push_back(s.group == u'\0' ? u',' : s.group);
        } else if (translated && b == '.') {
            out.push_back(s.decimal);
        } else {
            out.push_back(static_cast<char16_t>(b));  // the byte stands for itself
        }
        ++i;
    }
    return out;
}

// ---------------------------------------------------------------------------
// The reference grammar, built by cleaning and splitting rather than scanning:
// white space and direction marks trimmed, then the text cut at the sign, the
// exponent letter, the decimal mark and the group marks, and each piece
// checked on its own. On success `ascii` receives the number in the C
// locale's notation, grouping removed, digits in ASCII.

// UTF-16 code units as code points; a lone surrogate stays as it is (it is no
// digit, mark nor white space), also where a direction mark parts the two
// halves of a pair.
std::u32string pairUp(std::u16string_view units)
{
    std::u32string out;
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char16_t c = units[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
            out.push_back(0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) + (units[i + 1] - 0xDC00));
            ++i;
        } else {
            out.push_back(c);
        }
    }
    return out;
}

bool isSign(char32_t c, NumberSettings s) { return c == U'+' || c == U'-' || c == U'\u2212' || c == s.minus; }

// Appends the ASCII form of a run that must be digits only; records the
// script of each digit in `zero` (0 until the first digit) and fails on a
// non-digit or a digit of a second script.
bool appendDigits(std::string& ascii, std::u32string_view run, char32_t& zero)
{
    for (const char32_t c : run) {
        const char32_t z = zeroOf(c);
        if (z == 0 || (zero != 0 && z != zero)) return false;
        zero = z;
        ascii.push_back(static_cast<char>('0' + (c - z)));
    }
    return true;
}

bool referenceGrammar(std::u16string_view text, NumberSettings s, std::string& ascii)
{
    ascii.clear();
    const std::u32string all = pairUp(text);
    std::u32string_view t = all;
    // Direction marks around the number and after its sign; any other is a
    // character that no piece below takes.
    const auto around = [](char32_t c) { return isWhiteSpace(c) || isDirectionMark(c); };
    while (!t.empty() && around(t.front())) t.remove_prefix(1);
    while (!t.empty() && around(t.back())) t.remove_suffix(1);

    if (!t.empty() && isSign(t.front(), s)) {
        if (t.front() != U'+') ascii.push_back('-');
        t.remove_prefix(1);
        while (!t.empty() && isDirectionMark(t.front())) t.remove_prefix(1);
    }

    std::u32string_view mantissa = t;
    std::u32string_view exponent;
    bool hasExponent = false;
    if (const auto e = t.find_first_of(U"Ee"); e != std::u32string_view::npos) {
        mantissa = t.substr(0, e);
        exponent = t.substr(e + 1);
        hasExponent = true;
    }

    const Marks marks = marksOf(s);
    std::u32string_view integer = mantissa;
    std::u32string_view fraction;
    bool hasDecimal = false;
    if (const auto d = mantissa.find_first_of(marks.decimals); d != std::u32string_view::npos) {
        integer = mantissa.substr(0, d);
        fraction = mantissa.substr(d + 1);
        hasDecimal = true;
    }
    if (integer.empty() && fraction.empty()) return false;

    char32_t zero = 0;

    // The integer part: chunks between group marks, each of its exact size
    // but the first, which has one digit up to the largest size.
    std::vector<std::u32string_view> chunks;
    if (marks.groups.empty()) {
        chunks.push_back(integer);
    } else {
        std::size_t start = 0;
        for (std::size_t k = 0; k <= integer.size(); ++k) {
            if (k == integer.size() || marks.groups.find(integer[k]) != std::u32string::npos) {
                chunks.push_back(integer.substr(start, k - start));
                start = k + 1;
            }
        }
    }
    if (chunks.size() > 1) {
        for (std::size_t k = 0; k < chunks.size(); ++k) {
            const std::size_t want = k + 1 == chunks.size() ? s.groupSize : s.groupRepeat;
            if (chunks[k].empty()) return false;  // a mark that is not between two digits
            if (k > 0 && chunks[k].size() != want) return false;
        }
        if (chunks[0].size() > std::max(s.groupSize, s.groupRepeat)) return false;  // "1234,567" is never misread
        const char32_t first = chunks[0].front();
        if (zeroOf(first) != 0 && zeroOf(first) == first) return false;  // "0,125" is never misread
        if (hasExponent) return false;  // nor is "1,234E5"
    }
    for (const auto chunk : chunks) {
        if (!appendDigits(ascii, chunk, zero)) return false;
    }

    if (hasDecimal) {
        ascii.push_back('.');
        if (!appendDigits(ascii, fraction, zero)) return false;
    }

    if (hasExponent) {
        ascii.push_back('e');
        if (!exponent.empty() && isSign(exponent.front(), s)) {
            ascii.push_back(exponent.front() == U'+' ? '+' : '-');
            exponent.remove_prefix(1);
        }
        if (exponent.empty() || !appendDigits(ascii, exponent, zero)) return false;
    }
    return true;
}

// The reference of the lenient reader: with every blank, tab, carriage return
// and line feed taken out, the longest prefix of the form
// [sign] digits [. digits] [E [sign] digits] with at least one mantissa
// digit, in C notation; the empty string when there is no such prefix.
bool isAsciiDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

void appendAscii(std::string& out, std::u16string_view s)
{
    for (const char16_t c : s) out.push_back(static_cast<char>(c));
}

std::string referenceLenientPrefix(std::u16string_view text)
{
    std::u16string packed;
    for (const char16_t c : text) {
        if (c != u' ' && c != u'\t' && c != u'\n' && c != u'\r') packed.push_back(c);
    }
    std::size_t i = 0;
    const auto digitsFrom = [&](std::size_t at) {
        std::size_t k = at;
        while (k < packed.size() && isAsciiDigit(packed[k])) ++k;
        return k;
    };
    std::string ascii;
    if (i < packed.size() && (packed[i] == u'+' || packed[i] == u'-')) {
        if (packed[i] == u'-') ascii.push_back('-');
        ++i;
    }
    std::size_t end = digitsFrom(i);
    std::size_t mantissaDigits = end - i;
    appendAscii(ascii, std::u16string_view(packed).substr(i, end - i));
    i = end;
    if (i < packed.size() && packed[i] == u'.') {
        end = digitsFrom(i + 1);
        mantissaDigits += end - (i + 1);
        ascii.push_back('.');
        appendAscii(ascii, std::u16string_view(packed).substr(i + 1, end - (i + 1)));
        i = end;
    }
    if (mantissaDigits == 0) return {};
    if (i < packed.size() && (packed[i] == u'E' || packed[i] == u'e')) {
        std::size_t k = i + 1;
        std::string exponent = "e";
        if (k < packed.size() && (packed[k] == u'+' || packed[k] == u'-')) {
            exponent.push_back(static_cast<char>(packed[k]));
            ++k;
        }
        end = digitsFrom(k);
        if (end > k) {
            appendAscii(exponent, std::u16string_view(packed).substr(k, end - k));
            ascii += exponent;
        }
    }
    return ascii;
}

// ---------------------------------------------------------------------------
// Reference values

// A double that can stand in for the outcome of reading: the value or the
// fact that it overflows.
struct Reference {
    double value = 0.0;
    bool overflows = false;
};

Reference readReference(const std::string& ascii)
{
    errno = 0;
    const double v = std::strtod(ascii.c_str(), nullptr);
    return {v, std::isinf(v)};
}

// v rounded to 15 significant digits, by printf's digits and strtod's reading.
struct Rounded15 {
    Reference ref;
    std::string digits;  // without trailing zeros, at least one
    int exponent = 0;    // decimal exponent of the first digit
    bool negative = false;
};

Rounded15 roundTo15(double v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", v);
    Rounded15 r;
    r.ref = readReference(buf);
    const char* p = buf;
    if (*p == '-') { r.negative = true; ++p; }
    for (; *p != 'e'; ++p) {
        if (*p != '.') r.digits.push_back(*p);
    }
    r.exponent = std::atoi(p + 1);
    while (r.digits.size() > 1 && r.digits.back() == '0') r.digits.pop_back();
    return r;
}

// How the writer lays out those digits, in C notation: plain for decimal
// exponents -4..14, otherwise d.dddE±xx.
std::string expectedAscii(const Rounded15& r)
{
    if (r.digits == "0") return "0";
    std::string out;
    if (r.negative) out.push_back('-');
    if (r.exponent < -4 || r.exponent > 14) {
        out += r.digits.substr(0, 1);
        if (r.digits.size() > 1) out += "." + r.digits.substr(1);
        char e[16];
        std::snprintf(e, sizeof e, "E%c%02d", r.exponent < 0 ? '-' : '+', std::abs(r.exponent));
        out += e;
    } else if (r.exponent >= 0) {
        std::string padded = r.digits;
        const auto intDigits = static_cast<std::size_t>(r.exponent) + 1;
        if (padded.size() < intDigits) padded.append(intDigits - padded.size(), '0');
        out += padded.substr(0, intDigits);
        if (padded.size() > intDigits) out += "." + padded.substr(intDigits);
    } else {
        out += "0." + std::string(static_cast<std::size_t>(-r.exponent - 1), '0') + r.digits;
    }
    return out;
}

// The same layout in the settings' notation: digits of its script, its
// decimal mark; the signs and the exponent letter stay ASCII.
std::u16string inSettings(std::string_view ascii, NumberSettings s)
{
    std::u16string out;
    for (const char c : ascii) {
        if (c >= '0' && c <= '9') appendCodePoint(out, s.zero + static_cast<char32_t>(c - '0'));
        else if (c == '.') out.push_back(s.decimal);
        else out.push_back(static_cast<char16_t>(c));
    }
    return out;
}

bool sameValue(double a, double b) { return a == b && std::signbit(a) == std::signbit(b); }

// ---------------------------------------------------------------------------
// The checks

// The writer on one finite value, and reading its text back.
void checkWriter(double v, NumberSettings s, std::u16string_view source)
{
    const std::u16string text = mensora::numberToText(v, s);
    const Rounded15 r = roundTo15(v);
    const std::u16string expected = inSettings(expectedAscii(r), s);
    const auto values = [&] { return describeValue("value", v) + ", " + describeValue("rounded", r.ref.value); };

    std::string ascii;
    if (!referenceGrammar(expected, s, ascii)) {
        fail("the reference grammar refuses the writer's expected layout (a fault of the fuzz target)", source, s,
             values() + ", expected \"" + printable(expected) + "\"");
    }
    if (text != expected) {
        fail("numberToText wrote an unexpected text", source, s,
             values() + ", wrote \"" + printable(text) + "\", expected \"" + printable(expected) + "\"");
    }
    if (!mensora::isNumeric(text, s)) fail("numberToText wrote a text that isNumeric refuses", source, s, values());

    // Equal as numbers: the writer drops the sign of zero.
    const auto agrees = [&](const mensora::Outcome<double>& back) {
        return r.ref.overflows ? back.error == RunError::Overflow : (back.ok() && back.value == r.ref.value);
    };

    const auto strict = mensora::readStrict(text, s);
    if (!agrees(strict)) {
        fail("readStrict(numberToText(v)) is not v rounded to 15 digits", source, s,
             values() + ", read " + describeValue("back", strict.value) + " error " + errorName(strict.error));
    }

    const std::u16string usText = mensora::numberToText(v, mensora::usSettings);
    const auto lenient = mensora::readLenient(usText);
    if (!agrees(lenient)) {
        fail("readLenient(numberToText(v)) is not v rounded to 15 digits", source, s,
             values() + ", read " + describeValue("back", lenient.value) + " error " + errorName(lenient.error));
    }
    const auto through = mensora::roundThroughText(v);
    if (!agrees(through)) {
        fail("roundThroughText(v) is not v rounded to 15 digits", source, s,
             values() + ", gave " + describeValue("back", through.value) + " error " + errorName(through.error));
    }
}

void checkText(std::u16string_view text, NumberSettings s)
{
    const bool numeric = mensora::isNumeric(text, s);
    if (mensora::isRejectedInput(text, s) != (!text.empty() && !numeric)) {
        fail("isRejectedInput is not (non-empty and not numeric)", text, s);
    }

    std::string ascii;
    const bool refNumeric = referenceGrammar(text, s, ascii);
    if (numeric != refNumeric) {
        fail(numeric ? "isNumeric accepts a text the grammar refuses" : "isNumeric refuses a text the grammar accepts",
             text, s, refNumeric ? "ascii \"" + ascii.substr(0, 80) + "\"" : std::string{});
    }

    const auto read = mensora::readStrict(text, s);
    if (!numeric) {
        if (read.error != RunError::TypeMismatch) {
            fail("readStrict did not fail with TypeMismatch on a refused text", text, s,
                 std::string("error ") + errorName(read.error));
        }
    } else {
        const Reference ref = readReference(ascii);
        const bool agrees = ref.overflows ? read.error == RunError::Overflow
                                          : (read.ok() && sameValue(read.value, ref.value));
        if (!agrees) {
            fail("readStrict disagrees with strtod on an accepted text", text, s,
                 "ascii \"" + ascii.substr(0, 80) + "\", " + describeValue("strtod", ref.value) + ", " +
                     describeValue("readStrict", read.value) + " error " + errorName(read.error));
        }
    }
    if (read.ok()) checkWriter(read.value, s, text);

    // The lenient reader takes any text, settings aside.
    const std::string lenientAscii = referenceLenientPrefix(text);
    const Reference lenientRef = lenientAscii.empty() ? Reference{} : readReference(lenientAscii);
    const auto lenient = mensora::readLenient(text);
    const bool lenientAgrees = lenientRef.overflows ? lenient.error == RunError::Overflow
                                                    : (lenient.ok() && sameValue(lenient.value, lenientRef.value));
    if (!lenientAgrees) {
        fail("readLenient disagrees with strtod of the number the text begins with", text, s,
             "ascii \"" + lenientAscii.substr(0, 80) + "\", " + describeValue("strtod", lenientRef.value) + ", " +
                 describeValue("readLenient", lenient.value) + " error " + errorName(lenient.error));
    }

    // The whole conversion: a result is a number in the same settings; an
    // error is the reader's when reading failed, and never TypeMismatch when
    // it did not.
    const bool readable = text.empty() || read.ok();
    for (const mensora::Entry& entry : mensora::allEntries()) {
        const auto out = mensora::convertText(entry, text, s);
        if (out.ok()) {
            if (!readable) fail("convertText gave a result for an input that does not read", text, s);
            if (!mensora::isNumeric(out.value, s)) {
                fail("convertText wrote a result that isNumeric refuses", text, s,
                     "entry \"" + printable(entry.caption) + "\", result \"" + printable(out.value) + "\"");
            }
        } else if (!readable ? out.error != read.error : out.error == RunError::TypeMismatch) {
            fail("convertText failed with the wrong error", text, s,
                 "entry \"" + printable(entry.caption) + "\", error " + errorName(out.error) + ", reading gave " +
                     errorName(read.error));
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    constexpr std::size_t headerSize = 3;
    const auto headerByte = [&](std::size_t i) -> std::uint8_t { return i < size ? data[i] : 0; };
    const Header header = readHeader(headerByte(0), headerByte(1), headerByte(2));
    const std::uint8_t* body = data + std::min(size, headerSize);
    const std::size_t bodySize = size - std::min(size, headerSize);

    const std::u16string text = header.decoding == Decoding::Utf16
                                    ? decodeUtf16(body, bodySize)
                                    : decodeUtf8(body, bodySize, header.decoding, header.settings);
    checkText(text, header.settings);

    if (bodySize >= 8) {
        double v = 0.0;
        std::memcpy(&v, body, sizeof v);
        if (std::isfinite(v)) checkWriter(v, header.settings, u"(the first eight body bytes as a double)");
    }
    return 0;
}
