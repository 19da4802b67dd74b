#include "palm/palmitems.h"

namespace {
// The texts live in two fragments, split where the love catalogue ends.
constexpr std::array<PalmItem, PalmItemCount> kItems = {{
#include "palm/palmtexts1.inc"
#include "palm/palmtexts2.inc"
}};

// Every entry must sit at its own number's place.
constexpr bool numbersInOrder()
{
    for (int i = 0; i < PalmItemCount; ++i)
        if (kItems[static_cast<std::size_t>(i)].number != i + 1)
            return false;
    return true;
}
static_assert(numbersInOrder(), "palm items out of order");
} // namespace

const std::array<PalmItem, PalmItemCount> &palmItems()
{
    return kItems;
}

QString palmItemKey(int number)
{
    return QStringLiteral("Image%1").arg(number);
}

QString palmPicturePath(int number)
{
    return QStringLiteral(":/pictures/palm/%1.jpg").arg(palmItemKey(number));
}
