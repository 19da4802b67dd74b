#pragma once

// The words drawn inside the pictures (palace and line names, the body figures' labels) are
// written in Simplified, in the Simplified pictures' Song face. While a Lettering is in use, every
// word ink::glyphs draws is written as a Traditional edition writes it instead, through the
// program's own converter, in that edition's Song face: this is how the Traditional twins of the
// pictures are drawn from the same drawing code.

#include "text/hanconvert.h"

#include <QFont>
#include <QString>
#include <QStringList>

namespace artwork {

class Lettering
{
public:
    // From now until this lettering is destroyed, words are written for `edition`. Letterings
    // nest; the innermost one counts.
    explicit Lettering(text::Edition edition);
    ~Lettering();
    Lettering(const Lettering &) = delete;
    Lettering &operator=(const Lettering &) = delete;

    text::Edition edition() const { return m_edition; }
    // Every word drawn under this lettering, as the Simplified pictures write it.
    const QStringList &words() const { return m_words; }
    // The same words as this lettering wrote them.
    const QStringList &written() const { return m_written; }
    // A character of a written word that is Simplified only, or that the edition's face has no
    // glyph for (it would fall back to another face or a box): one line each.
    const QStringList &problems() const { return m_problems; }

    // The lettering in use; nullptr while words are written as the Simplified pictures write them.
    static Lettering *current();

    // `simplified` as the current lettering writes it, noted among the words it drew.
    static QString write(const QString &simplified);
    // The face words are drawn in: the edition's own Song face, or for the Simplified pictures
    // "AR PL SungtiL GB" with "AR PL UMing CN" in its place where it is missing.
    static QFont face(int pixelSize);

private:
    text::Edition m_edition;
    Lettering *m_outer;
    QStringList m_words, m_written, m_problems;
};

// The edition's Song face family: "cwTeXMing" (Taiwan's glyph forms) or "AR PL UMing HK".
QString songFamily(text::Edition edition);

} // namespace artwork
