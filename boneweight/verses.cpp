#include "boneweight/verses.h"

#include <QCoreApplication>

#include <array>

namespace {

// One verse for each total from 21 to 71 qian: a phrase, two spaces, four clauses of seven.
constexpr std::array<const char *, 51> kVerses = {
    /* 21 */ QT_TRANSLATE_NOOP(
        "Verses",
        "衣食奔波出外手艺之人  短命非业谓大凶 平生灾难事重重 凶祸频临陷逆境 终世困苦事不成"),
    /* 22 */
    QT_TRANSLATE_NOOP(
        "Verses",
        "幼年劳碌中年清泰之人  身寒骨冷苦伶仃 此命推来行乞人 劳劳碌碌无度日 终年打拱过平生"),
    /* 23 */
    QT_TRANSLATE_NOOP(
        "Verses",
        "先难后易出外求人之人  此命推来骨轻轻 求谋作事事难成 妻儿兄弟应难许 别处他乡作散人"),
    /* 24 */
    QT_TRANSLATE_NOOP(
        "Verses",
        "为人智巧多能出家求食之人  此命推来福禄无 门庭困苦总难荣 六亲骨肉皆无靠 流到他乡作老人"),
    /* 25 */
    QT_TRANSLATE_NOOP(
        "Verses",
        "身闲心不闲九流艺术之人  此命推来祖业微 门庭营度似稀奇 六亲骨肉如水炭 一世勤劳自把持"),
    /* 26 */
    QT_TRANSLATE_NOOP(
        "Verses", "先贫后富劳碌之人  平生衣禄苦中求 独自营谋事不休 离祖出门宜早计 晚来衣禄自无忧"),
    /* 27 */
    QT_TRANSLATE_NOOP(
        "Verses", "聪明近贵衣禄之人  一生作事少商量 难靠祖宗做主张 独马单枪空做去 早年晚岁总无长"),
    /* 28 */
    QT_TRANSLATE_NOOP(
        "Verses",
        "自卓为人才能近贵之人  一生做事似飘蓬 祖宗产业在梦中 若不过房并改姓 也当移从二三通"),
    /* 29 */
    QT_TRANSLATE_NOOP(
        "Verses",
        "才能客商达变智慧之人  初年运限未曾享 纵有功名在后成 须过四旬绕可上 移居改姓始为良"),
    /* 30 */
    QT_TRANSLATE_NOOP(
        "Verses",
        "衣食有余为人近贵成家之人  劳劳碌碌苦中求 东走西奔何日休 若能终身勤与俭 老来稍可免忧愁"),
    /* 31 */
    QT_TRANSLATE_NOOP(
        "Verses",
        "先贫后富近贵衣食足用之人  忙忙碌碌苦中求 何日云开见日头 难得祖基家可立 中年衣食渐无忧"),
    /* 32 */
    QT_TRANSLATE_NOOP(
        "Verses",
        "性巧过人衣食到老近贵之人  初年运蹇事难谋 渐有财源如水流 到得中年衣食旺 那时名利一齐来"),
    /* 33 */
    QT_TRANSLATE_NOOP(
        "Verses",
        "衣食丰满富贵根基之人  早年做事事难成 百计徒劳枉费心 半世自如流水去 后来运到始得金"),
    /* 34 */
    QT_TRANSLATE_NOOP(
        "Verses",
        "财谷有余得内助富贵之人  此命福气果如何 僧道门中衣禄多 离祖出家方得妙 终朝拜佛念弥陀"),
    /* 35 */
    QT_TRANSLATE_NOOP(
        "Verses",
        "先后易过房入赘近富之人  生平福量不周全 祖业根基觉小传 营事生涯宜守旧 时来衣食胜从前"),
    /* 36 */
    QT_TRANSLATE_NOOP(
        "Verses",
        "超群拔类衣禄厚重之人  不须劳碌过平生 独自成家福不轻 早有福星常照命 任君行去百般成"),
    /* 37 */
    QT_TRANSLATE_NOOP(
        "Verses",
        "富贵聪明有福寿之人  此命般般事不成 兄弟少力自孤成 虽然祖业须微有 来得明时去得明"),
    /* 38 */
    QT_TRANSLATE_NOOP(
        "Verses", "财帛丰厚宜称之人  一生骨肉最清高 早入黉门姓名标 待看年将三十六 蓝衫脱去换红袍"),
    /* 39 */
    QT_TRANSLATE_NOOP(
        "Verses",
        "利上近贵有福禄炎人  此命终身运不穷 劳劳作事尽皆空 苦心竭力成家计 到得那时在梦中"),
    /* 40 */
    QT_TRANSLATE_NOOP(
        "Verses",
        "富贵近益生涯鼎盛机关之命  平生衣禄是绵长 件件心中自主张 前面风霜多受过 后来必定享安康"),
    /* 41 */
    QT_TRANSLATE_NOOP(
        "Verses",
        "税户近贵专才为人衣禄之命  此命推来事不同 为人能干异凡庸 中年还有逍遥福 不比前年运未通"),
    /* 42 */
    QT_TRANSLATE_NOOP(
        "Verses",
        "兵权有职富贵才能之人  得宽怀处且宽怀 何用双眉趋不开 若使中年命运济 那时名利一齐来"),
    /* 43 */
    QT_TRANSLATE_NOOP(
        "Verses",
        "财碌厚重白手成家之人  为人心性最聪明 作事轩昂近贵人 衣禄一生天数定 不须劳碌是丰享"),
    /* 44 */
    QT_TRANSLATE_NOOP(
        "Verses",
        "好学近贵巧智财禄富厚之人  来事由天莫苦求 须知福禄胜前途 当年财帛难如意 晚景欣然便不忧"),
    /* 45 */
    QT_TRANSLATE_NOOP(
        "Verses",
        "福禄丰厚极富且贵之人  名利推来竟若何 前途辛苦后奔波 命中难养男与女 骨肉扶持也不多"),
    /* 46 */
    QT_TRANSLATE_NOOP(
        "Verses",
        "富贵有余福寿双全之命  东西南北尽皆通 出姓移名更觉隆 衣禄无亏天数定 中年晚景不般同"),
    /* 47 */
    QT_TRANSLATE_NOOP(
        "Verses",
        "高官禄厚学业饱满之人  此命推来旺末年 妻荣子贵自恰然 平生原有滔滔福 可有财源如水源"),
    /* 48 */
    QT_TRANSLATE_NOOP(
        "Verses", "官员财禄厚重之人  幼年运通夫曾享 若是磋砣再不与 兄弟六亲皆无靠 一生事业晚年成"),
    /* 49 */
    QT_TRANSLATE_NOOP(
        "Verses",
        "性巧精神仓库财禄之人  此命推来福不轻 自成自立显门庭 从来富贵人亲近 便婢差奴过一生"),
    /* 50 */
    QT_TRANSLATE_NOOP(
        "Verses",
        "文武才能钱谷丰盛之人  为日为名终日劳 中年福禄也多遭 老来是有财星照 不比前番目下高"),
    /* 51 */
    QT_TRANSLATE_NOOP(
        "Verses",
        "禄厚官职财禄荣华富贵之命  一世荣华事事通 不须劳碌自享通 弟兄叔姪皆如意 家业成时福禄宏"),
    /* 52 */
    QT_TRANSLATE_NOOP(
        "Verses",
        "掌握兵权富贵长寿之人  一世亨通事事能 不须劳思自然能 宗族欣然心皆好 家业丰享自称心"),
    /* 53 */
    QT_TRANSLATE_NOOP(
        "Verses",
        "青衣贵人僧道门中近贵之人  此格推来气象真 兴家发达在其中 一生福禄安排定 却是人间一富翁"),
    /* 54 */
    QT_TRANSLATE_NOOP(
        "Verses",
        "有勇有谋威权富贵财禄之命  此命推来厚且清 诗书满腹看功成 丰衣足食自然稳 正是人间有福人"),
    /* 55 */
    QT_TRANSLATE_NOOP(
        "Verses",
        "八品官职财禄丰盛之人  走马扬鞭争利名 少年做事费寿论 一朝福禄源源至 富贵荣华显六亲"),
    /* 56 */
    QT_TRANSLATE_NOOP(
        "Verses",
        "七口官职长享荣华富贵  此格推来礼义通 一生福禄用无穷 甜酸苦辣皆赏过 财源滚滚稳且丰"),
    /* 57 */
    QT_TRANSLATE_NOOP(
        "Verses",
        "六品官职文章压众精通之人  福禄盈盈万事全 一生荣耀显双亲 名扬威振人钦佩 处世逍遥似遇春"),
    /* 58 */
    QT_TRANSLATE_NOOP(
        "Verses",
        "官禄旺相才能性急富贵之人  平生福禄自然来 名利兼全福寿偕 雁塔题名为贵客 紫袍金带走金阶"),
    /* 59 */
    QT_TRANSLATE_NOOP(
        "Verses",
        "五品官职财禄厚重之人  细推此格妙且清 必定财高礼义通 甲第之中应有份 扬鞭走马显威劳"),
    /* 60 */
    QT_TRANSLATE_NOOP(
        "Verses",
        "四品官职荣华福寿财禄之人  一朝金榜快题名 显祖荣宗立大功 衣食定然原裕足 田园财帛更丰盈"),
    /* 61 */
    QT_TRANSLATE_NOOP(
        "Verses",
        "法身官掌风雷权柄之人  不作朝中金榜客 定为世上一财翁 聪明天付经书熟 名显高科自是荣"),
    /* 62 */
    QT_TRANSLATE_NOOP(
        "Verses",
        "三品官职有权柄之人  此命生来福不穷 读书必定显亲荣 紫夜金带为卿相 富贵荣华皆可同"),
    /* 63 */
    QT_TRANSLATE_NOOP(
        "Verses",
        "指挥太守万户封侯之命  命主为官福禄榜 得来富贵定非常 名题金塔传金长 定中高科天下扬"),
    /* 64 */
    QT_TRANSLATE_NOOP(
        "Verses",
        "二品官职尚书郎之命  此格威权不可当 紫袍金带坐高堂 荣华富贵谁能及 积玉堆金满储仓"),
    /* 65 */
    QT_TRANSLATE_NOOP(
        "Verses",
        "掌揭权威极大齐福禄之人  细推此命福不轻 定国安帮极品高 文绣雕梁微富贵 威声照耀四方闻"),
    /* 66 */
    QT_TRANSLATE_NOOP(
        "Verses", "公侯驸马丕相之命  此格人间一福人 堆金积玉满堂春 从来富贵由天定 正笏垂神谒圣君"),
    /* 67 */
    QT_TRANSLATE_NOOP(
        "Verses",
        "英名冠世万国来朝之人  此命生来福自宏 田园家业最高荣 平生衣禄丰盈足 一世荣华万世通"),
    /* 68 */
    QT_TRANSLATE_NOOP(
        "Verses",
        "温和富贵繁荣极吉之命  富贵由天不须求 万金家计自然丰 十年不比前番事 祖业根基水上舟"),
    /* 69 */
    QT_TRANSLATE_NOOP(
        "Verses",
        "惠受高位功名显达之命  君是人间衣禄星 一生富贵众人钦 安然福禄由天定 安享荣华过一生"),
    /* 70 */
    QT_TRANSLATE_NOOP(
        "Verses",
        "权力具备极上流之人  此命推来福不轻 不须愁虚苦劳心 一生天定衣禄兴 富贵荣华主一生"),
    /* 71 */
    QT_TRANSLATE_NOOP(
        "Verses",
        "大志大业势如破竹之命  此命生来大不同 公侯卿相在其中 一生自有逍遥福 富贵荣华海品隆"),
};

constexpr int kLightest = 21;
constexpr int kHeaviest = 71;

} // namespace

QString WeightLine(std::int32_t total)
{
    const std::int32_t liang = total / 10;
    const std::int32_t qian = total % 10;
    if (qian == 0)
        return QCoreApplication::translate("WeightLine", "你的命重： %1两").arg(liang);
    return QCoreApplication::translate("WeightLine", "你的命重： %1两%2钱").arg(liang).arg(qian);
}

QString VerseText(std::int32_t total)
{
    if (total < kLightest || total > kHeaviest)
        return QStringLiteral("  ");
    return QCoreApplication::translate("Verses",
                                       kVerses[static_cast<std::size_t>(total - kLightest)]);
}
