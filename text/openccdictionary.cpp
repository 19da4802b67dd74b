#include "text/openccdictionary.h"

#include <opencc/Lexicon.hpp>
#include <opencc/MarisaDict.hpp>

#include <cstdio>
#include <stdexcept>
#include <utility>

namespace text {

QList<OpenCCEntry> openCCDictionary(const char *name)
{
    const QString path = QStringLiteral(OPENCC_DATA_DIR "/") + QLatin1String(name);
    FILE *file = std::fopen(path.toLocal8Bit().constData(), "rb");
    if (!file)
        throw std::runtime_error(std::string("OpenCC's dictionary is missing: ") + name);
    const opencc::MarisaDictPtr dict = opencc::MarisaDict::NewFromFile(file);
    std::fclose(file);
    QList<OpenCCEntry> entries;
    for (const std::unique_ptr<opencc::DictEntry> &entry : *dict->GetLexicon()) {
        QStringList values;
        for (const std::string &value : entry->Values())
            values << QString::fromStdString(value);
        entries.append({QString::fromStdString(entry->Key()), values});
    }
    return entries;
}

namespace {
// The keys and the values of one of OpenCC's dictionaries, character by character.
std::pair<QSet<char32_t>, QSet<char32_t>> charactersOf(const char *dictionary)
{
    QSet<char32_t> keys, values;
    for (const OpenCCEntry &entry : openCCDictionary(dictionary)) {
        for (char32_t c : entry.key.toUcs4())
            keys.insert(c);
        for (const QString &value : entry.values)
            for (char32_t c : value.toUcs4())
                values.insert(c);
    }
    return {keys, values};
}
} // namespace

QSet<char32_t> simplifiedOnlyCharacters(Edition edition)
{
    const auto [keys, values] = charactersOf("STCharacters.ocd2");
    QSet<char32_t> left = keys - values;
    if (edition == Edition::Taiwan)
        left -= charactersOf("TWVariants.ocd2").second;
    else if (edition == Edition::HongKong)
        left -= charactersOf("HKVariants.ocd2").second;
    return left;
}

} // namespace text
