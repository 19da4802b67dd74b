#pragma once

// Little-endian bytes and big-endian bit fields of a SWF body, bounds-checked: reading past the
// end yields zeros and marks the reader overrun, so that no count in a file can make it read
// outside its bytes.

#include "movie/swfformat.h"

#include <QByteArrayView>
#include <QColor>
#include <QRectF>
#include <QTransform>

#include <algorithm>
#include <cstdint>

namespace movie {

class BitReader
{
public:
    explicit BitReader(QByteArrayView bytes)
        : m_bytes(bytes)
    {}

    bool overrun() const { return m_overrun; }
    bool atEnd() const { return m_pos >= m_bytes.size(); }
    qsizetype remaining() const { return std::max<qsizetype>(0, m_bytes.size() - m_pos); }

    void align()
    {
        if (m_bit != 0) {
            m_bit = 0;
            ++m_pos;
        }
    }

    std::uint32_t bits(int count)
    {
        std::uint32_t value = 0;
        for (int i = 0; i < count; ++i) {
            if (m_pos >= m_bytes.size()) {
                m_overrun = true;
                return 0;
            }
            const int bit = (uchar(m_bytes[m_pos]) >> (7 - m_bit)) & 1;
            value = (value << 1) | std::uint32_t(bit);
            if (++m_bit == 8) {
                m_bit = 0;
                ++m_pos;
            }
        }
        return value;
    }

    std::int32_t signedBits(int count)
    {
        if (count <= 0)
            return 0;
        const std::uint32_t value = bits(count);
        if (count < 32 && (value >> (count - 1)) & 1)
            return std::int32_t(value | ~((std::uint32_t(1) << count) - 1));
        return std::int32_t(value);
    }

    // The fields of a packed record, in the order of its layout.
    template<std::size_t N>
    typename swf::BitLayout<N>::Values fields(const swf::BitLayout<N> &layout)
    {
        typename swf::BitLayout<N>::Values values{};
        for (std::size_t i = 0; i < N; ++i)
            values[i] = bits(layout.widths[i]);
        return values;
    }

    // 16.16 fixed point in a bit field.
    double fixedBits(int count) { return signedBits(count) / 65536.0; }

    int u8()
    {
        align();
        if (m_pos >= m_bytes.size()) {
            m_overrun = true;
            return 0;
        }
        return uchar(m_bytes[m_pos++]);
    }
    int u16()
    {
        const int low = u8();
        return low | u8() << 8;
    }
    std::uint32_t u32()
    {
        const std::uint32_t low = std::uint32_t(u16());
        return low | std::uint32_t(u16()) << 16;
    }
    int s16() { return std::int16_t(std::uint16_t(u16())); }

    QColor rgb()
    {
        const int r = u8();
        const int g = u8();
        return QColor(r, g, u8());
    }
    QColor rgba()
    {
        const int r = u8();
        const int g = u8();
        const int b = u8();
        return QColor(r, g, b, u8());
    }

    QRectF rect()
    {
        align();
        const int n = int(bits(5));
        const double xMin = signedBits(n);
        const double xMax = signedBits(n);
        const double yMin = signedBits(n);
        const double yMax = signedBits(n);
        align();
        return QRectF(xMin, yMin, xMax - xMin, yMax - yMin);
    }

    QTransform matrix()
    {
        align();
        double sx = 1, sy = 1, r0 = 0, r1 = 0;
        if (bits(1)) {
            const int n = int(bits(5));
            sx = fixedBits(n);
            sy = fixedBits(n);
        }
        if (bits(1)) {
            const int n = int(bits(5));
            r0 = fixedBits(n);
            r1 = fixedBits(n);
        }
        const int n = int(bits(5));
        const double tx = signedBits(n);
        const double ty = signedBits(n);
        align();
        return QTransform(sx, r0, r1, sy, tx, ty);
    }

    // A NUL-terminated string, skipped.
    QByteArrayView string()
    {
        align();
        const qsizetype start = m_pos;
        while (m_pos < m_bytes.size() && m_bytes[m_pos] != '\0')
            ++m_pos;
        const QByteArrayView text = m_bytes.sliced(start, m_pos - start);
        (void)u8();
        return text;
    }

    // The next `length` bytes as a reader of their own; this one moves past them.
    BitReader take(qsizetype length)
    {
        align();
        length = std::clamp<qsizetype>(length, 0, remaining());
        BitReader part(m_bytes.sliced(m_pos, length));
        m_pos += length;
        return part;
    }

    QByteArrayView rest()
    {
        align();
        return m_pos < m_bytes.size() ? m_bytes.sliced(m_pos) : QByteArrayView();
    }

private:
    QByteArrayView m_bytes;
    qsizetype m_pos = 0;
    int m_bit = 0;
    bool m_overrun = false;
};

} // namespace movie
