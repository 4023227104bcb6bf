#include "common/str_to_int.h"

#include <cstdint>

namespace {

int hexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

} // namespace

bool TryStrToInt(const QString& s, int& out) {
    const qsizetype n = s.size();
    qsizetype i = 0;
    while (i < n && (s[i] == u' ' || s[i] == u'\t'))
        ++i;

    bool negative = false;
    if (i < n && (s[i] == u'+' || s[i] == u'-')) {
        negative = s[i] == u'-';
        ++i;
    }

    bool hex = false;
    if (i < n && (s[i] == u'$' || s[i] == u'x' || s[i] == u'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < n && s[i] == u'0' && (s[i + 1] == u'x' || s[i + 1] == u'X')) {
        hex = true;
        i += 2;
    }
    if (i >= n) return false;

    // The magnitude is gathered in 64 bits and rejected as soon as it leaves the
    // range the final 32-bit value can represent.
    std::uint64_t magnitude = 0;
    if (hex) {
        for (; i < n; ++i) {
            const int d = hexDigit(s[i].unicode());
            if (d < 0) return false;
            magnitude = magnitude * 16 + static_cast<std::uint64_t>(d);
            if (magnitude > 0xFFFFFFFFull) return false;
        }
        // Hexadecimal gives the bit pattern; the sign then negates it, wrapping.
        std::uint32_t bits = static_cast<std::uint32_t>(magnitude);
        if (negative) bits = 0u - bits;
        out = static_cast<std::int32_t>(bits);
        return true;
    }

    for (; i < n; ++i) {
        const char16_t c = s[i].unicode();
        if (c < u'0' || c > u'9') return false;
        magnitude = magnitude * 10 + static_cast<std::uint64_t>(c - u'0');
        if (magnitude > 2147483648ull) return false;
    }
    if (!negative && magnitude > 2147483647ull) return false;
    const std::int64_t value =
        negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
    out = static_cast<int>(value);
    return true;
}

int StrToIntDef(const QString& s, int def) {
    int value = def;
    return TryStrToInt(s, value) ? value : def;
}
