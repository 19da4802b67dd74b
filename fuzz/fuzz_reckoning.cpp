// Typed text is the only outside input the reckoning sees: feed it arbitrary bytes as the five
// list texts and the number reader, and let the sanitizers watch.

#include "base/failure.h"
#include "boneweight/integer.h"
#include "boneweight/reckoning.h"
#include "text/gbk.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    (void)parseInteger(bytes);

    // Split the input at NUL bytes into up to five texts, decoded as GBK the way typing would
    // arrive after the code page round trip.
    QString texts[5];
    int field = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= bytes.size() && field < 5; ++i) {
        if (i == bytes.size() || bytes[i] == '\0') {
            texts[field++] = text::fromGbk(bytes.sliced(start, i - start));
            start = i + 1;
        }
    }
    try {
        (void)reckon({texts[0], texts[1], texts[2], texts[3], texts[4]});
    } catch (const base::Failure &) {
        // Not a number: the page shows the error report. Anything else escaping is a bug.
    }
    return 0;
}
