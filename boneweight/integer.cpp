#include "boneweight/integer.h"

#include "base/failure.h"
#include "text/gbk.h"

#include <limits>

namespace {

int digitValue(char c, int radix)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (radix == 16) {
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
    }
    return -1;
}

} // namespace

std::optional<std::int32_t> parseInteger(QByteArrayView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i] == ' ')
        ++i;

    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }

    int radix = 10;
    if (i < n && text[i] == '$') {
        radix = 16;
        ++i;
    } else if (i < n && (text[i] == 'x' || text[i] == 'X')) {
        radix = 16;
        ++i;
    } else if (i + 1 < n && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        radix = 16;
        i += 2;
    }

    if (i == n)
        return std::nullopt; // nothing after the spaces, sign or prefix

    // Accumulate the magnitude; the most negative value is one more than the most positive.
    const std::int64_t limit = negative ? -std::int64_t(std::numeric_limits<std::int32_t>::min())
                                        : std::numeric_limits<std::int32_t>::max();
    std::int64_t magnitude = 0;
    for (; i < n; ++i) {
        const int digit = digitValue(text[i], radix);
        if (digit < 0)
            return std::nullopt;
        magnitude = magnitude * radix + digit;
        if (magnitude > limit)
            return std::nullopt;
    }
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

std::int32_t strToInt(QByteArrayView text)
{
    if (const auto value = parseInteger(text))
        return *value;
    throw base::Failure(
        QStringLiteral("'%1' is not a valid integer value").arg(text::fromGbk(text)));
}
