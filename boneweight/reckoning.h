#pragma once

// The bone-weight reckoning without any widget: from the five list texts to the weight line and
// the verse.

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

// What the five lists show, as the user left them.
struct BirthTexts
{
    QString year, month, day, hour, minute;
};

// The reckoning's input after a complete choice. The minute is required but never weighed.
struct BirthData
{
    std::int32_t Year = 0;
    std::int32_t Month = 0;
    std::int32_t Day = 0;
    std::int32_t Hour = 0;
    QByteArray Minute;
};

// The five parts the texts are cut to, in code page 936 bytes: the year's first 4 bytes, the
// month's and the day's first byte when the text is 3 bytes long and first 2 bytes otherwise, the
// hour and the minute whole. For the list items this keeps exactly the digits.
struct BirthParts
{
    QByteArray year, month, day, hour, minute;
};

BirthParts cutBirthTexts(const BirthTexts &texts);

// False while any part is still what its untouched placeholder cuts down to.
bool isCompleteChoice(const BirthParts &parts);

// Converts year, month, day and hour, in that order; the first part that is not a whole number
// raises base::Failure naming it.
BirthData convertBirthParts(const BirthParts &parts);

int totalWeight(const BirthData &data);

struct Reading
{
    QString weightLine;
    QString verse;
    int total = 0;  // in qian
    BirthData data; // the numbers weighed, as picked or typed
};

// The prompt for an incomplete choice, marked for the catalogues; shown through
// QCoreApplication::translate("BirthDataPage", IncompletePrompt).
inline constexpr const char *IncompletePrompt
    = QT_TRANSLATE_NOOP("BirthDataPage", "请输入出生资料!");

// The whole reckoning: nothing for an incomplete choice (the page then shows the prompt), else the
// weight line and the verse. Raises base::Failure for a part that is not a number.
std::optional<Reading> reckon(const BirthTexts &texts);
