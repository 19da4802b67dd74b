#include "calendar/almanac.h"

#include "calendar/lunar.h"
#include "calendar/sky.h"
#include "calendar/solarterms.h"

#include <QCoreApplication>

#include <cmath>

namespace calendar {

namespace {

const char *const stems[10] = {
    QT_TRANSLATE_NOOP("Almanac", "甲"), QT_TRANSLATE_NOOP("Almanac", "乙"),
    QT_TRANSLATE_NOOP("Almanac", "丙"), QT_TRANSLATE_NOOP("Almanac", "丁"),
    QT_TRANSLATE_NOOP("Almanac", "戊"), QT_TRANSLATE_NOOP("Almanac", "己"),
    QT_TRANSLATE_NOOP("Almanac", "庚"), QT_TRANSLATE_NOOP("Almanac", "辛"),
    QT_TRANSLATE_NOOP("Almanac", "壬"), QT_TRANSLATE_NOOP("Almanac", "癸"),
};

const char *const branches[12] = {
    QT_TRANSLATE_NOOP("Almanac", "子"), QT_TRANSLATE_NOOP("Almanac", "丑"),
    QT_TRANSLATE_NOOP("Almanac", "寅"), QT_TRANSLATE_NOOP("Almanac", "卯"),
    QT_TRANSLATE_NOOP("Almanac", "辰"), QT_TRANSLATE_NOOP("Almanac", "巳"),
    QT_TRANSLATE_NOOP("Almanac", "午"), QT_TRANSLATE_NOOP("Almanac", "未"),
    QT_TRANSLATE_NOOP("Almanac", "申"), QT_TRANSLATE_NOOP("Almanac", "酉"),
    QT_TRANSLATE_NOOP("Almanac", "戌"), QT_TRANSLATE_NOOP("Almanac", "亥"),
};

const char *const animals[12] = {
    QT_TRANSLATE_NOOP("Almanac", "鼠"), QT_TRANSLATE_NOOP("Almanac", "牛"),
    QT_TRANSLATE_NOOP("Almanac", "虎"), QT_TRANSLATE_NOOP("Almanac", "兔"),
    QT_TRANSLATE_NOOP("Almanac", "龙"), QT_TRANSLATE_NOOP("Almanac", "蛇"),
    QT_TRANSLATE_NOOP("Almanac", "马"), QT_TRANSLATE_NOOP("Almanac", "羊"),
    QT_TRANSLATE_NOOP("Almanac", "猴"), QT_TRANSLATE_NOOP("Almanac", "鸡"),
    QT_TRANSLATE_NOOP("Almanac", "狗"), QT_TRANSLATE_NOOP("Almanac", "猪"),
};

const char *const officers[12] = {
    QT_TRANSLATE_NOOP("Almanac", "建"), QT_TRANSLATE_NOOP("Almanac", "除"),
    QT_TRANSLATE_NOOP("Almanac", "满"), QT_TRANSLATE_NOOP("Almanac", "平"),
    QT_TRANSLATE_NOOP("Almanac", "定"), QT_TRANSLATE_NOOP("Almanac", "执"),
    QT_TRANSLATE_NOOP("Almanac", "破"), QT_TRANSLATE_NOOP("Almanac", "危"),
    QT_TRANSLATE_NOOP("Almanac", "成"), QT_TRANSLATE_NOOP("Almanac", "收"),
    QT_TRANSLATE_NOOP("Almanac", "开"), QT_TRANSLATE_NOOP("Almanac", "闭"),
};

const char *const quarters[4] = {
    QT_TRANSLATE_NOOP("Almanac", "东"),
    QT_TRANSLATE_NOOP("Almanac", "南"),
    QT_TRANSLATE_NOOP("Almanac", "西"),
    QT_TRANSLATE_NOOP("Almanac", "北"),
};

// Pengzu's hundred taboos, one saying a stem and one a branch. Where the old saying speaks of the
// body, it is given as the old saying it is, not as a fact.
const char *const stemSayings[10] = {
    QT_TRANSLATE_NOOP("Almanac", "甲不开仓 财物耗散"),
    QT_TRANSLATE_NOOP("Almanac", "乙不栽植 千株不长"),
    QT_TRANSLATE_NOOP("Almanac", "丙不修灶 必见灾殃"),
    QT_TRANSLATE_NOOP("Almanac", "丁不剃头 旧说恐生疮疡"),
    QT_TRANSLATE_NOOP("Almanac", "戊不受田 田主不祥"),
    QT_TRANSLATE_NOOP("Almanac", "己不破券 二比并亡"),
    QT_TRANSLATE_NOOP("Almanac", "庚不经络 织机虚张"),
    QT_TRANSLATE_NOOP("Almanac", "辛不合酱 主人不尝"),
    QT_TRANSLATE_NOOP("Almanac", "壬不汲水 更难提防"),
    QT_TRANSLATE_NOOP("Almanac", "癸不词讼 理弱敌强"),
};

const char *const branchSayings[12] = {
    QT_TRANSLATE_NOOP("Almanac", "子不问卜 自惹祸殃"),
    QT_TRANSLATE_NOOP("Almanac", "丑不冠带 主不还乡"),
    QT_TRANSLATE_NOOP("Almanac", "寅不祭祀 神鬼不尝"),
    QT_TRANSLATE_NOOP("Almanac", "卯不穿井 水泉不香"),
    QT_TRANSLATE_NOOP("Almanac", "辰不哭泣 必主重丧"),
    QT_TRANSLATE_NOOP("Almanac", "巳不远行 财物伏藏"),
    QT_TRANSLATE_NOOP("Almanac", "午不苫盖 屋主更张"),
    QT_TRANSLATE_NOOP("Almanac", "未不服药 旧俗之忌，有病仍遵医嘱"),
    QT_TRANSLATE_NOOP("Almanac", "申不安床 鬼祟入房"),
    QT_TRANSLATE_NOOP("Almanac", "酉不会客 醉坐颠狂"),
    QT_TRANSLATE_NOOP("Almanac", "戌不吃犬 作怪上床"),
    QT_TRANSLATE_NOOP("Almanac", "亥不嫁娶 不利新郎"),
};

QString translated(const char *const *table, int size, int index)
{
    if (index < 0 || index >= size)
        return {};
    return QCoreApplication::translate("Almanac", table[index]);
}

int modulo(qint64 value, int divisor)
{
    return int((value % divisor + divisor) % divisor);
}

// The place in the cycle of sixty with this stem and branch (they share parity).
Cycle cycleOf(int stem, int branch)
{
    return {modulo(6 * stem - 5 * branch, 60)};
}

// 1949-10-01 (Julian day 2433191) was a 甲子 day.
constexpr qint64 jiaziDay = 2433191;

} // namespace

Cycle dayCycle(QDate date)
{
    return {modulo(date.toJulianDay() - jiaziDay, 60)};
}

std::optional<AlmanacDay> almanacDay(QDate date)
{
    const std::optional<LunarDate> lunar = toLunar(date);
    if (!lunar)
        return std::nullopt;
    AlmanacDay day;
    day.date = date;
    day.year = {modulo(lunar->year - 1984, 60)}; // 1984 was 甲子
    day.animal = day.year.branch();

    // The month of the almanac is the one whose 节 the Sun has passed by the end of the day:
    // 0 the 寅 month from 立春 (315°) … 11 the 丑 month from 小寒 (285°).
    const double dayEnd = sky::terrestrialFromUniversal(detail::chinaDayStart(date.addDays(1)));
    const double longitude = sky::apparentSunLongitude(dayEnd);
    const int month = int(std::fmod(longitude - 315 + 360, 360) / 30);
    // Before 立春, January and February still belong to the year before.
    const int solarYear = date.month() <= 2 && month >= 10 ? date.year() - 1 : date.year();
    day.solarYear = {modulo(solarYear - 1984, 60)};
    // The stem of the 寅 month follows the year's stem: 甲 and 己 years begin with 丙寅 …
    const int firstStem = (day.solarYear.stem() % 5 * 2 + 2) % 10;
    day.month = cycleOf((firstStem + month) % 10, (month + 2) % 12);

    day.day = dayCycle(date);
    day.officer = modulo(day.day.branch() - day.month.branch(), 12);
    day.clashBranch = (day.day.branch() + 6) % 12;
    // 申子辰 煞南, 巳酉丑 煞东, 寅午戌 煞北, 亥卯未 煞西.
    static constexpr Quarter evilByBranch[4]
        = {Quarter::South, Quarter::East, Quarter::North, Quarter::West};
    day.evil = evilByBranch[day.day.branch() % 4];
    return day;
}

QString stemName(int stem)
{
    return translated(stems, 10, stem);
}

QString branchName(int branch)
{
    return translated(branches, 12, branch);
}

QString cycleName(Cycle cycle)
{
    if (cycle.index < 0 || cycle.index >= 60)
        return {};
    return stemName(cycle.stem()) + branchName(cycle.branch());
}

QString animalName(int branch)
{
    return translated(animals, 12, branch);
}

QString officerName(int officer)
{
    return translated(officers, 12, officer);
}

QString quarterName(Quarter quarter)
{
    return translated(quarters, 4, int(quarter));
}

QString clashText(const AlmanacDay &day)
{
    return QCoreApplication::translate("Almanac", "冲%1 煞%2")
        .arg(animalName(day.clashBranch), quarterName(day.evil));
}

QString pengzuStemSaying(int stem)
{
    return translated(stemSayings, 10, stem);
}

QString pengzuBranchSaying(int branch)
{
    return translated(branchSayings, 12, branch);
}

} // namespace calendar
