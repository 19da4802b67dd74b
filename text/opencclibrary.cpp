#include "text/opencclibrary.h"

#include <opencc/opencc.h>

#include <QLibrary>

#include <mutex>
#include <stdexcept>
#include <string>

namespace text {

namespace {

struct Library
{
    decltype(&opencc_open) open = nullptr;
    decltype(&opencc_close) close = nullptr;
    decltype(&opencc_convert_utf8) convert = nullptr;
    decltype(&opencc_convert_utf8_free) free = nullptr;
    decltype(&opencc_error) error = nullptr;
    std::string failure; // why it could not be loaded; empty once loaded
};

template<typename Function>
bool resolve(QLibrary &library, const char *name, Function &into)
{
    into = reinterpret_cast<Function>(library.resolve(name));
    return into != nullptr;
}

// Loaded once, on the first conversion made (from the loading thread), and kept.
const Library &library()
{
    static Library loaded;
    static std::once_flag once;
    std::call_once(once, [] {
        // The soname the build was made against (libopencc.so.1.1 on Debian 12).
        QLibrary file(QStringLiteral("opencc"), QStringLiteral(LORVEX_OPENCC_SOVERSION));
        if (!file.load()) {
            loaded.failure = file.errorString().toStdString();
            return;
        }
        if (!resolve(file, "opencc_open", loaded.open)
            || !resolve(file, "opencc_close", loaded.close)
            || !resolve(file, "opencc_convert_utf8", loaded.convert)
            || !resolve(file, "opencc_convert_utf8_free", loaded.free)
            || !resolve(file, "opencc_error", loaded.error))
            loaded.failure = file.errorString().toStdString();
    });
    return loaded;
}

} // namespace

OpenCCConversion::OpenCCConversion(const char *config)
{
    const Library &opencc = library();
    if (!opencc.failure.empty())
        throw std::runtime_error(opencc.failure);
    m_handle = opencc.open(config);
    if (m_handle == reinterpret_cast<opencc_t>(-1))
        throw std::runtime_error(opencc.error());
}

OpenCCConversion::~OpenCCConversion()
{
    library().close(m_handle);
}

QString OpenCCConversion::convert(const QString &text) const
{
    if (text.isEmpty())
        return text;
    const Library &opencc = library();
    const QByteArray utf8 = text.toUtf8();
    char *converted = opencc.convert(m_handle, utf8.constData(), size_t(utf8.size()));
    if (!converted)
        throw std::runtime_error(opencc.error());
    const QString result = QString::fromUtf8(converted);
    opencc.free(converted);
    return result;
}

} // namespace text
