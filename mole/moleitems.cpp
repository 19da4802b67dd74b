#include "mole/moleitems.h"

namespace {
constexpr std::array<MoleItem, FaceMoleCount> kFace = {{
#include "mole/facemoles.inc"
}};

constexpr std::array<MoleItem, BodyMoleCount> kBody = {{
#include "mole/bodymoles.inc"
}};
} // namespace

const std::array<MoleItem, FaceMoleCount> &FaceMoles()
{
    return kFace;
}

const std::array<MoleItem, BodyMoleCount> &BodyMoles()
{
    return kBody;
}
