#pragma once

// The two results of a reckoning: the weight line for l1 and the verse for m1.

#include <QString>

#include <cstdint>

// "你的命重： " followed by the liang and, when not 0, the qian: 37 gives "你的命重： 3两7钱",
// 30 gives "你的命重： 3两". Totals are sums of weights and never negative.
QString WeightLine(std::int32_t total);

// The verse of a total from 21 to 71 qian; two spaces for any other total.
QString VerseText(std::int32_t total);
