#pragma once

// One of OpenCC's conversions ("s2tw.json"), through its C interface in the library loaded the
// first time a conversion is made. Only a user's own introduction in a 繁體 edition ever needs
// OpenCC, so the program does not link it: the library and its dictionary library stay out of
// the start-up (about 0.3 MiB resident at the first frame, and their relocations).

#include <QString>

namespace text {

class OpenCCConversion
{
public:
    // Raises std::runtime_error if the library cannot be loaded or the configuration read.
    explicit OpenCCConversion(const char *config);
    ~OpenCCConversion();
    OpenCCConversion(const OpenCCConversion &) = delete;
    OpenCCConversion &operator=(const OpenCCConversion &) = delete;

    // Raises std::runtime_error if OpenCC fails on the text. An empty text comes back as it is.
    QString convert(const QString &text) const;

private:
    void *m_handle;
};

} // namespace text
