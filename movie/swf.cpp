#include "movie/swf.h"

#include <algorithm>

namespace movie {

static int clampChannel(qint64 value)
{
    return int(std::clamp<qint64>(value, 0, 255));
}

QColor ColorTransform::apply(const QColor &colour) const
{
    const int in[4] = {colour.red(), colour.green(), colour.blue(), colour.alpha()};
    int out[4];
    for (int i = 0; i < 4; ++i)
        out[i] = clampChannel(qint64(in[i]) * mul[i] / 256 + add[i]);
    return QColor(out[0], out[1], out[2], out[3]);
}

ColorTransform ColorTransform::after(const ColorTransform &inner) const
{
    // (c * mi / 256 + ai) * mo / 256 + ao; kept in range so that deep nesting can't overflow.
    ColorTransform result;
    for (int i = 0; i < 4; ++i) {
        result.mul[i] = int(std::clamp<qint64>(qint64(inner.mul[i]) * mul[i] / 256, -65536, 65536));
        result.add[i]
            = int(std::clamp<qint64>(qint64(inner.add[i]) * mul[i] / 256 + add[i], -65536, 65536));
    }
    return result;
}

const Character *Movie::character(int id) const
{
    const auto found = dictionary.find(id);
    return found == dictionary.end() ? nullptr : found->second.get();
}

} // namespace movie
