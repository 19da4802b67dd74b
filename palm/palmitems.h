#pragma once

// The 217 palm items: Image1 ... Image217, each with its analysis. Which catalogue (topic) an
// item belongs to follows from its number.

#include <QString>

#include <array>

struct PalmItem
{
    int number;           // N of the picture control ImageN
    const char *analysis; // UTF-8; shown after the catalogue's indent
};

enum class PalmTopic { Career, Wealth, Love, Family, Wisdom, WomensHealth };

struct PalmTopicRange
{
    PalmTopic topic;
    int first; // first item number
    int last;  // last item number, inclusive
};

// The six topics in tab order with their item ranges.
inline constexpr std::array<PalmTopicRange, 6> PalmTopics = {{
    {PalmTopic::Career, 1, 45},
    {PalmTopic::Wealth, 46, 55},
    {PalmTopic::Love, 56, 85},
    {PalmTopic::Family, 86, 140},
    {PalmTopic::Wisdom, 141, 200},
    {PalmTopic::WomensHealth, 201, 217},
}};

inline constexpr int PalmItemCount = 217;

// All items in number order: palmItems()[n - 1] is ImageN.
const std::array<PalmItem, PalmItemCount> &palmItems();

// "ImageN"
QString palmItemKey(int number);

// The resource path of ImageN's picture, ":/pictures/palm/ImageN.jpg".
QString palmPicturePath(int number);
