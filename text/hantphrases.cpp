#include "text/hanconvert.h"

namespace text {

namespace {

// Our words on top of OpenCC's s2tw and s2hk, from reading every converted verse, title, analysis
// and control text. Each entry: the Simplified phrase, Taiwan's writing, Hong Kong's writing, and
// why OpenCC alone gets it wrong for this field. Words OpenCC already writes as each standard
// does (命裡/命裏, 相沖, 餘, 天干/才幹, 頭髮/發財, 皇后/後來, 農曆/經歷, 鍾情, 特徵/象徵) (and 尅,
// kept as written) are checked in tst_hant and need no entry.
constexpr HantPhrase kPhrases[] = {
    // 冲 of a clash (of branches, stars, trigrams) is 沖 in both standards, as OpenCC already
    // writes 相沖; it writes 衝煞 and, in "由乾位冲兑卦", 衝兌, the 衝 of rushing forward.
    {"冲煞", "沖煞", "沖煞"},
    {"冲兑", "沖兌", "沖兑"},
    // The Southern Dipper and its ladle: 斗 the measure, never 鬥 the fight. OpenCC writes 南鬥
    // in "南斗星君痣" and "南斗主生", and 鬥口 for the ladle's mouth.
    {"南斗", "南斗", "南斗"},
    {"斗口", "斗口", "斗口"},
    // To bring bad fortune on a relative is 剋 (剋夫剋妻, 剋父剋母); OpenCC writes 剋夫 but leaves
    // 克妻, 克父 and 克母 as the 克 of "can" and "gram".
    {"克妻", "剋妻", "剋妻"},
    {"克父", "剋父", "剋父"},
    {"克母", "剋母", "剋母"},
    // Hair: "头顶发中" and "藏于发中" are moles in the hair, 髮; OpenCC reads 發中.
    {"发中", "髮中", "髮中"},
    // The hairline is 髮際, as OpenCC writes it alone; after 经 ("从头顶经发际直下") it reads 經發
    // and writes 經發際.
    {"经发际", "經髮際", "經髮際"},
    // 向 of turning to someone, "宜向明白人请教": OpenCC writes 嚮明, toward the dawn.
    {"向明", "向明", "向明"},
    // Rising in rank is 升 in both standards, as OpenCC keeps 升遷; it writes 步步高昇.
    {"步步高升", "步步高升", "步步高升"},
    // Grain: 财谷 is wealth and grain, 財穀, as OpenCC already writes 錢穀; it leaves 財谷, a
    // valley.
    {"财谷", "財穀", "財穀"},
    // 凶 of ill fortune (吉凶) stays 凶 in both standards; 兇 is violence. OpenCC writes 兇禍 in
    // verse 21 and 成兇 in "酒色成凶痣", beside 大凶 and 逢凶化吉 left as 凶.
    {"凶祸", "凶禍", "凶禍"},
    {"成凶", "成凶", "成凶"},
    // Shelter of the forebears is 蔭 as in OpenCC's own 祖蔭; it writes 福廕 and 庇廕 beside it.
    {"福荫", "福蔭", "福蔭"},
    {"庇荫", "庇蔭", "庇蔭"},
    // "Lorvex 工作室 编制" says who made the program, 編製; 編制 is a staff establishment.
    {"编制", "編製", "編製"},
};

} // namespace

std::span<const HantPhrase> hantPhrases()
{
    return kPhrases;
}

} // namespace text
