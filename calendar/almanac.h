#pragma once

// The fixed items of a day's almanac (黄历): the stems and branches of its year, month and day,
// the year's animal, the day's officer of the twelve (建除十二值), the animal it clashes with and
// the quarter of its 煞, and Pengzu's two taboos. Plain data, indices only; the texts come from the
// marked tables behind the name functions. The month is the almanac's: it turns on the day of each
// 节 (UTC+8, solarterms.h), so the officer repeats on that day, as the almanac has it.

#include <QDate>
#include <QString>

#include <optional>

namespace calendar {

// A place in the cycle of sixty, 0 for 甲子 … 59 for 癸亥: stem = cycle % 10, branch = cycle % 12.
struct Cycle
{
    int index = 0;
    int stem() const { return index % 10; }
    int branch() const { return index % 12; }
    friend bool operator==(Cycle, Cycle) = default;
};

// The four quarters, as the 煞 names them.
enum class Quarter { East, South, West, North };

struct AlmanacDay
{
    QDate date;
    Cycle year; // by the lunar new year (正月初一), as stemBranch() and the readings count it
    Cycle solarYear; // by 立春, the almanac's own year, which the month's stem follows
    Cycle month;     // by the 节: 寅 from 立春, 卯 from 惊蛰 … 丑 from 小寒
    Cycle day;
    int animal = 0; // of the lunar year: 0 鼠 … 11 猪 (the year's branch)
    int officer = 0; // 0 建, 1 除, 2 满, 3 平, 4 定, 5 执, 6 破, 7 危, 8 成, 9 收, 10 开, 11 闭
    int clashBranch = 0;          // the branch (and animal) opposite the day's: 冲
    Quarter evil = Quarter::East; // 煞, by the day's branch
    // Pengzu's taboos: the saying of the day's stem (pengzuStemSaying) and of its branch.
};

// Nothing outside 1901-02-19 to 2100-12-31 (the lunar calendar's days) or for an invalid date.
std::optional<AlmanacDay> almanacDay(QDate date);

// The day's place in the cycle of sixty, for any valid date.
Cycle dayCycle(QDate date);

// Names, translated in the context "Almanac"; empty outside their ranges.
QString stemName(int stem);       // 甲 … 癸
QString branchName(int branch);   // 子 … 亥
QString cycleName(Cycle cycle);   // 甲子 … 癸亥
QString animalName(int branch);   // 鼠 … 猪
QString officerName(int officer); // 建 … 闭
QString quarterName(Quarter quarter);
// 冲猪 煞东
QString clashText(const AlmanacDay &day);
// 甲不开仓 财物耗散 … and 子不问卜 自惹祸殃 …
QString pengzuStemSaying(int stem);
QString pengzuBranchSaying(int branch);

} // namespace calendar
