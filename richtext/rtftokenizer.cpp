#include "richtext/rtftokenizer.h"

#include <algorithm>
#include <limits>

namespace richtext {

namespace {

// RTF's own limit for a control word; longer words are read to their end and then passed over.
constexpr qsizetype kMaxWordLength = 32;

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

RtfToken tokenOf(RtfToken::Kind kind)
{
    RtfToken token;
    token.kind = kind;
    return token;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

RtfTokenizer::RtfTokenizer(QByteArrayView rtf)
    : m_data(rtf)
{}

RtfToken RtfTokenizer::next(Semicolons semicolons)
{
    while (m_pos < m_data.size()) {
        switch (m_data[m_pos]) {
        case '{':
            ++m_pos;
            return tokenOf(RtfToken::Kind::GroupStart);
        case '}':
            ++m_pos;
            return tokenOf(RtfToken::Kind::GroupEnd);
        case '\\': {
            ++m_pos;
            RtfToken token;
            if (readControl(token))
                return token;
            break;
        }
        case '\r':
        case '\n':
        case '\0':
            ++m_pos; // line breaks of the file itself and NUL bytes mean nothing
            break;
        default:
            return readText(semicolons);
        }
    }
    return {};
}

void RtfTokenizer::skipBinary(qsizetype length)
{
    if (length > m_data.size() - m_pos) {
        ++m_badEscapes;
        m_pos = m_data.size();
    } else {
        m_pos += std::max<qsizetype>(length, 0);
    }
}

bool RtfTokenizer::readControl(RtfToken &token)
{
    if (m_pos >= m_data.size()) {
        ++m_badEscapes;
        return false;
    }
    const char first = m_data[m_pos];
    if (!isLetter(first)) {
        ++m_pos;
        if (first == '\\' || first == '{' || first == '}') {
            token.kind = RtfToken::Kind::Byte;
            token.byte = first;
            return true;
        }
        if (first != '\'') {
            token.kind = RtfToken::Kind::ControlSymbol;
            token.text = m_data.sliced(m_pos - 1, 1);
            return true;
        }
        int value = 0, digits = 0;
        while (digits < 2 && m_pos < m_data.size()) {
            const int d = hexValue(m_data[m_pos]);
            if (d < 0)
                break;
            value = value * 16 + d;
            ++digits;
            ++m_pos;
        }
        if (digits < 2) {
            ++m_badEscapes;
            return false;
        }
        token.kind = RtfToken::Kind::Byte;
        token.byte = char(value);
        return true;
    }

    const qsizetype start = m_pos;
    while (m_pos < m_data.size() && isLetter(m_data[m_pos]))
        ++m_pos;
    const qsizetype length = m_pos - start;
    bool negative = false;
    if (m_pos + 1 < m_data.size() && m_data[m_pos] == '-' && isDigit(m_data[m_pos + 1])) {
        negative = true;
        ++m_pos;
    }
    qint64 value = 0;
    while (m_pos < m_data.size() && isDigit(m_data[m_pos])) {
        token.hasParameter = true;
        // Parameters past 32 bits saturate; the digits are read to their end all the same.
        value = std::min<qint64>(value * 10 + (m_data[m_pos] - '0'), qint64(1) << 31);
        ++m_pos;
    }
    if (negative)
        value = -value;
    token.parameter = int(std::clamp<qint64>(value, std::numeric_limits<int>::min(),
                                             std::numeric_limits<int>::max()));
    if (m_pos < m_data.size() && m_data[m_pos] == ' ')
        ++m_pos; // the space that ends a control word belongs to it
    if (length > kMaxWordLength)
        return false;
    token.kind = RtfToken::Kind::ControlWord;
    token.text = m_data.sliced(start, length);
    return true;
}

RtfToken RtfTokenizer::readText(Semicolons semicolons)
{
    qsizetype end = m_pos;
    while (end < m_data.size()) {
        const char c = m_data[end];
        if (c == '{' || c == '}' || c == '\\' || c == '\r' || c == '\n' || c == '\0')
            break;
        if (c == ';' && semicolons == Semicolons::EndEntry)
            break;
        ++end;
    }
    if (end == m_pos) { // a ";" that ends a table entry
        ++m_pos;
        return tokenOf(RtfToken::Kind::EntryEnd);
    }
    RtfToken token = tokenOf(RtfToken::Kind::Text);
    token.text = m_data.sliced(m_pos, end - m_pos);
    m_pos = end;
    return token;
}

} // namespace richtext
