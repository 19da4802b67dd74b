#include "text/hanconvert.h"

namespace text {

namespace {

// Our words on top of OpenCC's s2tw and s2hk, from reading every converted verse, title, analysis
// and control text. Each entry: the Simplified phrase, Taiwan's writing, Hong Kong's writing, and
// why OpenCC alone gets it wrong for this field. Words OpenCC already writes as each standard
// does (命裡/命裏, 相沖, 餘, 天干/才幹, 頭髮/發財, 皇后/後來, 農曆/經歷, 鍾情, 特徵/象徵)
// are checked in tst_hant and need no entry.
constexpr HantPhrase kPhrases[] = {
    // 冲 of a clash (of branches, stars, trigrams) is 沖 in both standards, as OpenCC already
    // writes 相沖; it writes 衝煞. A line that rushes into a palace ("由乾位冲兑卦") is the 衝 of
    // rushing forward, as OpenCC writes it.
    {"冲煞", "沖煞", "沖煞"},
    // The Southern Dipper and its ladle: 斗 the measure, never 鬥 the fight. OpenCC writes 南鬥
    // in "南斗星君痣" and "南斗主生", and 鬥口 for the ladle's mouth.
    {"南斗", "南斗", "南斗"},
    {"斗口", "斗口", "斗口"},
    // To bring bad fortune on a relative is 剋 (剋夫剋妻, 剋父剋母); OpenCC writes 剋夫 but leaves
    // 克妻, 克父 and 克母 as the 克 of "can" and "gram", and the old form 尅 as it is.
    {"尅", "剋", "剋"},
    {"克妻", "剋妻", "剋妻"},
    {"克父", "剋父", "剋父"},
    {"克母", "剋母", "剋母"},
    // Hair: "头顶发中" and "藏于发中" are moles in the hair, 髮; OpenCC reads 發中. Only these two:
    // 发中 alone is also 研发中心, 开发中, 突发中风.
    {"顶发中", "頂髮中", "頂髮中"},
    {"于发中", "於髮中", "於髮中"},
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
    // Taiwan's standard writes 想像, 身分, 算帳 and 獨占鰲頭; OpenCC's s2tw keeps the mainland's
    // 想象, 身份, 算賬 and 佔. Hong Kong writes them as OpenCC does.
    {"想象", "想像", "想象"},
    {"身份", "身分", "身份"},
    {"算账", "算帳", "算賬"},
    {"独占鳌头", "獨占鰲頭", "獨佔鰲頭"},
    // Shelter of the forebears is 蔭 as in OpenCC's own 祖蔭; it writes 福廕 and 庇廕 beside it.
    {"福荫", "福蔭", "福蔭"},
    {"庇荫", "庇蔭", "庇蔭"},
};

// The words of the interface (menus, buttons, dialogs, messages) as each region's software says
// them, applied to the interface's texts only, never to a reading: the verses, analyses and the
// introduction keep their words. OpenCC converts characters, not vocabulary.
constexpr HantPhrase kInterfaceWords[] = {
    {"文件", "檔案", "檔案"}, // the File menu; a document is 文件 there
    {"文档", "文件", "文件"},
    {"文件夹", "資料夾", "資料夾"},
    {"程序", "程式", "程式"}, // the program itself
    {"复制", "複製", "複製"},
    {"保存", "儲存", "儲存"},
    {"打印机", "印表機", "打印機"},
    {"打印", "列印", "列印"},
    {"退出", "結束", "結束"},
    {"帮助", "說明", "說明"},
    {"信息", "訊息", "訊息"},
    // "Lorvex 工作室 编制" says who made the program, 編製; 編制 is a staff establishment.
    {"编制", "編製", "編製"},
    // The prompt's exclamation mark, full width among Traditional characters.
    {"资料!", "資料！", "資料！"},
    // Places abroad as Taiwan names them; Hong Kong's names are the mainland's, written in its
    // characters as OpenCC writes them.
    {"悉尼", "雪梨", "悉尼"},
    {"新西兰", "紐西蘭", "新西蘭"},
    {"意大利", "義大利", "意大利"},
    {"迪拜", "杜拜", "迪拜"},
    {"珀斯", "伯斯", "珀斯"},
    {"毛里求斯", "模里西斯", "毛里求斯"},
    {"约翰内斯堡", "約翰尼斯堡", "約翰內斯堡"},
    // The calendar's and almanac's own words: 丑 the earthly branch, never 醜 (ugly), which OpenCC
    // writes for it alone; 冲 of the day's clash is 沖, as 相沖.
    {"丑", "丑", "丑"},
    {"冲%1", "沖%1", "沖%1"},
};

} // namespace

std::span<const HantPhrase> hantPhrases()
{
    return kPhrases;
}

std::span<const HantPhrase> interfaceWords()
{
    return kInterfaceWords;
}

} // namespace text
