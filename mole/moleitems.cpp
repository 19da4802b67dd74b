#include "mole/moleitems.h"

namespace {
constexpr std::array<MoleItem, FaceMoleCount> kFace = {{
#include "mole/facemoles.inc"
}};

constexpr std::array<MoleItem, BodyMoleCount> kBody = {{
#include "mole/bodymoles.inc"
}};
} // namespace

const std::array<MoleItem, FaceMoleCount> &faceMoles()
{
    return kFace;
}

const std::array<MoleItem, BodyMoleCount> &bodyMoles()
{
    return kBody;
}

QString moleItemKey(MoleKind kind, int number)
{
    return QStringLiteral("%1%2")
        .arg(QLatin1Char(kind == MoleKind::Face ? 'g' : 'k'))
        .arg(number, 2, 10, QLatin1Char('0'));
}

QString molePicturePath(MoleKind kind, int number)
{
    return QStringLiteral(":/pictures/mole/%1.jpg").arg(moleItemKey(kind, number));
}
