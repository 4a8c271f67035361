// Fuzz target for the number rules: the input check, the strict and lenient
// readers, the writer and the whole text-to-text conversion of every entry.
//
// Input layout: the first byte chooses the number settings (low three bits)
// and how the rest is decoded (bit 3: raw UTF-16LE code units; clear: UTF-8,
// with any byte that is not part of a valid sequence taken as that code
// point). When at least eight bytes follow, they are also taken as the bits
// of a double and the writer is checked on that value directly.
//
// Every property is checked against a reference built here from other parts
// of the standard library (a grammar of its own, strtod, snprintf), so a fault
// in the core shows up as a disagreement, reported before the process aborts.

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

#include "conversion_catalogue.h"
#include "convert_command.h"
#include "number_text.h"

namespace {

using mensora::NumberSettings;
using mensora::RunError;

constexpr std::array<NumberSettings, 8> settingsTable{{
    {u'.', u','},       // US
    {u',', u'.'},       // German
    {u',', u'\u202F'},  // French: narrow no-break space
    {u'.', u'\u2019'},  // Swiss: right single quotation mark
    {u'.', u'\0'},      // no grouping
    {u',', u'\u00A0'},  // no-break space
    {u',', u'\0'},      // comma, no grouping
    {u'.', u'\''},      // ASCII apostrophe
}};

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
    }
    return "?";
}

[[noreturn]] void fail(const char* what, std::u16string_view text, NumberSettings s, const std::string& detail = {})
{
    std::fprintf(stderr,
                 "\nnumber rules violated: %s\n  text: \"%s\"\n  settings: decimal U+%04X, group U+%04X\n%s%s",
                 what, printable(text).c_str(), static_cast<unsigned>(s.decimal), static_cast<unsigned>(s.group),
                 detail.empty() ? "" : "  ", detail.empty() ? "" : (detail + "\n").c_str());
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
// Decoding the bytes into a text

std::u16string decodeUtf16(const std::uint8_t* p, std::size_t n)
{
    std::u16string out;
    out.reserve(n / 2);
    for (std::size_t i = 0; i + 1 < n; i += 2) {
        out.push_back(static_cast<char16_t>(p[i] | (p[i + 1] << 8)));
    }
    return out;
}

void appendCodePoint(std::u16string& out, std::uint32_t cp)
{
    if (cp < 0x10000) {
        out.push_back(static_cast<char16_t>(cp));
    } else {
        cp -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    }
}

std::u16string decodeUtf8(const std::uint8_t* p, std::size_t n)
{
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
        } else {
            out.push_back(static_cast<char16_t>(b));  // the byte stands for itself
            ++i;
        }
    }
    return out;
}

// ---------------------------------------------------------------------------
// The reference grammar, built by splitting rather than scanning. On success
// `ascii` receives the number in the C locale's notation, grouping removed.

bool isAsciiDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

bool allDigits(std::u16string_view s)
{
    for (const char16_t c : s) {
        if (!isAsciiDigit(c)) return false;
    }
    return true;
}

void appendAscii(std::string& out, std::u16string_view s)
{
    for (const char16_t c : s) out.push_back(static_cast<char>(c));
}

bool referenceGrammar(std::u16string_view text, NumberSettings s, std::string& ascii)
{
    ascii.clear();
    const auto blank = [](char16_t c) { return c == u' ' || c == u'\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);

    if (!text.empty() && (text.front() == u'+' || text.front() == u'-')) {
        if (text.front() == u'-') ascii.push_back('-');
        text.remove_prefix(1);
    }

    std::u16string_view mantissa = text;
    std::u16string_view exponent;
    bool hasExponent = false;
    if (const auto e = text.find_first_of(u"Ee"); e != std::u16string_view::npos) {
        mantissa = text.substr(0, e);
        exponent = text.substr(e + 1);
        hasExponent = true;
        if (!exponent.empty() && (exponent.front() == u'+' || exponent.front() == u'-')) {
            if (exponent.size() == 1) return false;
            if (!allDigits(exponent.substr(1))) return false;
        } else if (exponent.empty() || !allDigits(exponent)) {
            return false;
        }
    }

    std::u16string_view integer = mantissa;
    std::u16string_view fraction;
    if (const auto d = mantissa.find(s.decimal); d != std::u16string_view::npos) {
        integer = mantissa.substr(0, d);
        fraction = mantissa.substr(d + 1);
        if (!allDigits(fraction)) return false;  // a second separator lands here too
    }
    if (integer.empty() && fraction.empty()) return false;

    const char16_t group = s.group == s.decimal ? u'\0' : s.group;
    const bool spaceLike = group == u'\u00A0' || group == u'\u202F';
    const auto isGroup = [&](char16_t c) { return group != u'\0' && (c == group || (spaceLike && c == u' ')); };

    std::size_t chunkStart = 0;
    bool firstChunk = true;
    for (std::size_t k = 0; k <= integer.size(); ++k) {
        if (k < integer.size() && !isGroup(integer[k])) continue;
        const std::u16string_view chunk = integer.substr(chunkStart, k - chunkStart);
        if (!allDigits(chunk)) return false;
        const bool last = k == integer.size();
        if (firstChunk) {
            if (chunk.empty() && !last) return false;  // a separator before any digit
        } else if (chunk.size() != 3) {
            return false;
        }
        appendAscii(ascii, chunk);
        firstChunk = false;
        chunkStart = k + 1;
    }

    if (!fraction.empty()) {
        ascii.push_back('.');
        appendAscii(ascii, fraction);
    }
    if (hasExponent) {
        ascii.push_back('e');
        appendAscii(ascii, exponent);
    }
    return true;
}

// The reference of the lenient reader: with every blank, tab, carriage return
// and line feed taken out, the longest prefix of the form
// [sign] digits [. digits] [E [sign] digits] with at least one mantissa
// digit, in C notation; the empty string when there is no such prefix.
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

// How the writer lays out those digits: plain for decimal exponents -4..14,
// otherwise d.dddE±xx.
std::u16string expectedText(const Rounded15& r, NumberSettings s)
{
    if (r.digits == "0") return u"0";
    std::u16string out;
    const auto put = [&out](std::string_view ascii) {
        for (const char c : ascii) out.push_back(static_cast<char16_t>(c));
    };
    if (r.negative) out.push_back(u'-');
    if (r.exponent < -4 || r.exponent > 14) {
        put(r.digits.substr(0, 1));
        if (r.digits.size() > 1) {
            out.push_back(s.decimal);
            put(std::string_view(r.digits).substr(1));
        }
        char e[16];
        std::snprintf(e, sizeof e, "E%c%02d", r.exponent < 0 ? '-' : '+', std::abs(r.exponent));
        put(e);
    } else if (r.exponent >= 0) {
        std::string padded = r.digits;
        const auto intDigits = static_cast<std::size_t>(r.exponent) + 1;
        if (padded.size() < intDigits) padded.append(intDigits - padded.size(), '0');
        put(std::string_view(padded).substr(0, intDigits));
        if (padded.size() > intDigits) {
            out.push_back(s.decimal);
            put(std::string_view(padded).substr(intDigits));
        }
    } else {
        out.push_back(u'0');
        out.push_back(s.decimal);
        put(std::string(static_cast<std::size_t>(-r.exponent - 1), '0'));
        put(r.digits);
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
    const auto values = [&] { return describeValue("value", v) + ", " + describeValue("rounded", r.ref.value); };

    if (text != expectedText(r, s)) {
        fail("numberToText wrote an unexpected text", source, s,
             values() + ", wrote \"" + printable(text) + "\", expected \"" + printable(expectedText(r, s)) + "\"");
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
             text, s);
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
    if (size == 0) return 0;
    const std::uint8_t header = data[0];
    const NumberSettings settings = settingsTable[header & 7u];
    const bool utf16 = (header & 8u) != 0;
    const std::uint8_t* body = data + 1;
    const std::size_t bodySize = size - 1;

    const std::u16string text = utf16 ? decodeUtf16(body, bodySize) : decodeUtf8(body, bodySize);
    checkText(text, settings);

    if (bodySize >= 8) {
        double v = 0.0;
        std::memcpy(&v, body, sizeof v);
        if (std::isfinite(v)) checkWriter(v, settings, u"(the first eight bytes as a double)");
    }
    return 0;
}
