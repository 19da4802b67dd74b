#include "text/hanttable.h"

#include <algorithm>
#include <array>

namespace text {

namespace {
#include "text/hanttable.inc"

std::u16string_view viewOf(QStringView text)
{
    return {text.utf16(), std::size_t(text.size())};
}
} // namespace

std::span<const ConvertedAhead> convertedAheadTable()
{
    return kConvertedAhead;
}

std::optional<QString> convertedAhead(Edition edition, QStringView simplified)
{
    if (edition == Edition::Simplified)
        return simplified.toString();
    const std::u16string_view key = viewOf(simplified);
    const auto *found = std::lower_bound(
        kConvertedAhead.begin(), kConvertedAhead.end(), key,
        [](const ConvertedAhead &entry, std::u16string_view k) { return entry.simplified < k; });
    if (found == kConvertedAhead.end() || found->simplified != key)
        return std::nullopt;
    std::u16string_view written = found->taiwan.empty() ? found->simplified : found->taiwan;
    if (edition == Edition::HongKong && !found->hongKong.empty())
        written = found->hongKong;
    // The table is static: the string shares its storage.
    return QString::fromRawData(reinterpret_cast<const QChar *>(written.data()),
                                qsizetype(written.size()));
}

QStringView coreOf(QStringView text)
{
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && text[from].isSpace())
        ++from;
    while (to > from && text[to - 1].isSpace())
        --to;
    return text.sliced(from, to - from);
}

bool staysAsWritten(QStringView text)
{
    return std::all_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() < 0x2E80 && c != u'“' && c != u'”'; });
}

} // namespace text
