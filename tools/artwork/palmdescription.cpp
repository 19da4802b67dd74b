#include "tools/artwork/palmdescription.h"

#include <QLocale>
#include <QRegularExpression>
#include <QSet>

#include <cmath>
#include <utility>

namespace artwork {

namespace {

// Thrown inside one statement and caught per line, so a line reports its first mistake only.
struct StatementError
{
    QString problem;
    QString word;
};

template<typename T, std::size_t N>
std::optional<T> lookup(const std::pair<const char *, T> (&table)[N], const QString &word)
{
    for (const auto &[name, value] : table)
        if (word == QLatin1String(name))
            return value;
    return std::nullopt;
}

const std::pair<const char *, PalmLine> kLines[] = {
    {"tian", PalmLine::Tian},   {"ren", PalmLine::Ren},       {"di", PalmLine::Di},
    {"shiye", PalmLine::Shiye}, {"liuxiu", PalmLine::Liuxiu}, {"jiafeng", PalmLine::Jiafeng},
};

const std::pair<const char *, Palace> kPalaces[] = {
    {"xun", Palace::Xun},   {"li", Palace::Li},     {"kun", Palace::Kun},
    {"zhen", Palace::Zhen}, {"dui", Palace::Dui},   {"gen", Palace::Gen},
    {"kan", Palace::Kan},   {"qian", Palace::Qian}, {"ming", Palace::Ming},
};

const std::pair<const char *, Finger> kFingers[] = {
    {"thumb", Finger::Thumb}, {"index", Finger::Index},   {"middle", Finger::Middle},
    {"ring", Finger::Ring},   {"little", Finger::Little},
};

const std::pair<const char *, MarkKind> kMarks[] = {
    {"cross", MarkKind::Cross},       {"star", MarkKind::Star},
    {"island", MarkKind::Island},     {"x", MarkKind::X},
    {"square", MarkKind::Square},     {"dot", MarkKind::Dot},
    {"triangle", MarkKind::Triangle}, {"circle", MarkKind::Circle},
    {"fork", MarkKind::Fork},         {"tassel", MarkKind::Tassel},
    {"grille", MarkKind::Grille},
};

double parseNumber(const QString &text, double low, double high)
{
    bool ok = false;
    const double value = QLocale::c().toDouble(text, &ok);
    if (!ok || !std::isfinite(value) || value < low || value > high)
        throw StatementError{QStringLiteral("bad number"), text};
    return value;
}

// "LINE@t"
std::pair<PalmLine, double> linePoint(const QString &word)
{
    const qsizetype at = word.indexOf(u'@');
    if (at < 0)
        throw StatementError{QStringLiteral("bad anchor"), word};
    const auto line = lookup(kLines, word.left(at));
    if (!line)
        throw StatementError{QStringLiteral("unknown line"), word.left(at)};
    return {*line, parseNumber(word.mid(at + 1), 0, 1)};
}

Anchor parseAnchor(const QString &word)
{
    Anchor anchor;
    if (const auto palace = lookup(kPalaces, word)) {
        anchor.kind = Anchor::Kind::Palace;
        anchor.palace = *palace;
    } else if (word == QLatin1String("wrist")) {
        anchor.kind = Anchor::Kind::Wrist;
    } else if (const auto finger = lookup(kFingers, word)) {
        anchor.kind = Anchor::Kind::FingerTip;
        anchor.finger = *finger;
    } else if (word.startsWith(QLatin1String("base:"))) {
        const auto base = lookup(kFingers, word.mid(5));
        if (!base)
            throw StatementError{QStringLiteral("bad anchor"), word};
        anchor.kind = Anchor::Kind::FingerBase;
        anchor.finger = *base;
    } else if (word.contains(u'@') && lookup(kLines, word.left(word.indexOf(u'@')))) {
        anchor.kind = Anchor::Kind::OnLine;
        std::tie(anchor.line, anchor.t) = linePoint(word);
    } else {
        throw StatementError{QStringLiteral("bad anchor"), word};
    }
    return anchor;
}

// Words of a statement after its first, consumed left to right.
class Words
{
public:
    explicit Words(QStringList words)
        : m_words(std::move(words))
    {}
    bool atEnd() const { return m_next >= m_words.size(); }
    QString take(const char *what)
    {
        if (atEnd())
            throw StatementError{QStringLiteral("missing %1 after").arg(QLatin1String(what)),
                                 m_words.last()};
        return m_words.at(m_next++);
    }

private:
    QStringList m_words;
    qsizetype m_next = 1;
};

LineStatement parseLine(Words &words)
{
    LineStatement s;
    const QString name = words.take("line name");
    const auto line = lookup(kLines, name);
    if (!line)
        throw StatementError{QStringLiteral("unknown line"), name};
    s.line = *line;
    while (!words.atEnd()) {
        const QString word = words.take("option");
        if (word == QLatin1String("hi"))
            s.hi = true;
        else if (word == QLatin1String("none"))
            s.none = true;
        else if (word == QLatin1String("short"))
            s.isShort = true;
        else if (word == QLatin1String("long"))
            s.isLong = true;
        else if (word == QLatin1String("wavy"))
            s.wavy = true;
        else if (word == QLatin1String("chain"))
            s.chain = true;
        else if (word == QLatin1String("double"))
            s.sister = true;
        else if (word == QLatin1String("faint"))
            s.faint = true;
        else if (word == QLatin1String("deep"))
            s.deep = true;
        else if (word.startsWith(QLatin1String("break@")))
            s.breaks.append(parseNumber(word.mid(6), 0, 1));
        else if (word.startsWith(QLatin1String("start=")))
            s.start = parseAnchor(word.mid(6));
        else if (word.startsWith(QLatin1String("end=")))
            s.end = parseAnchor(word.mid(4));
        else
            throw StatementError{QStringLiteral("unknown word"), word};
    }
    return s;
}

PathStatement parsePath(Words &words)
{
    PathStatement s;
    s.from = parseAnchor(words.take("anchor"));
    s.to = parseAnchor(words.take("anchor"));
    while (!words.atEnd()) {
        const QString word = words.take("option");
        if (word == QLatin1String("hi"))
            s.hi = true;
        else if (word.startsWith(QLatin1String("bend=")))
            s.bend = parseNumber(word.mid(5), -1, 1);
        else
            throw StatementError{QStringLiteral("unknown word"), word};
    }
    return s;
}

BranchStatement parseBranch(Words &words)
{
    BranchStatement s;
    std::tie(s.line, s.t) = linePoint(words.take("LINE@t"));
    const QString way = words.take("to, up or down");
    if (way == QLatin1String("to")) {
        s.toward = BranchStatement::Toward::Anchor;
        s.to = parseAnchor(words.take("anchor"));
    } else if (way == QLatin1String("up")) {
        s.toward = BranchStatement::Toward::Up;
    } else if (way == QLatin1String("down")) {
        s.toward = BranchStatement::Toward::Down;
    } else {
        throw StatementError{QStringLiteral("unknown word"), way};
    }
    while (!words.atEnd()) {
        const QString word = words.take("option");
        if (word == QLatin1String("hi"))
            s.hi = true;
        else if (word == QLatin1String("across") && s.toward == BranchStatement::Toward::Anchor
                 && s.to.kind == Anchor::Kind::OnLine)
            s.across = true;
        else
            throw StatementError{QStringLiteral("unknown word"), word};
    }
    return s;
}

MarkStatement parseMark(Words &words)
{
    MarkStatement s;
    const QString kind = words.take("mark kind");
    const auto mark = lookup(kMarks, kind);
    if (!mark)
        throw StatementError{QStringLiteral("unknown mark"), kind};
    s.kind = *mark;
    s.at = parseAnchor(words.take("anchor"));
    return s;
}

LinesStatement parseLines(Words &words)
{
    LinesStatement s;
    const QString count = words.take("count");
    bool ok = false;
    s.count = count.toInt(&ok);
    if (!ok || s.count < 1 || s.count > 12)
        throw StatementError{QStringLiteral("bad number"), count};
    s.at = parseAnchor(words.take("anchor"));
    if (!words.atEnd()) {
        const QString way = words.take("direction");
        if (way == QLatin1String("horizontal"))
            s.horizontal = true;
        else if (way != QLatin1String("vertical"))
            throw StatementError{QStringLiteral("unknown word"), way};
    }
    return s;
}

MessStatement parseMess(Words &words)
{
    MessStatement s;
    const QString where = words.take("anchor");
    if (where == QLatin1String("palm"))
        s.wholePalm = true;
    else
        s.at = parseAnchor(where);
    if (!words.atEnd()) {
        const QString word = words.take("through");
        if (word != QLatin1String("through"))
            throw StatementError{QStringLiteral("unknown word"), word};
        const QString name = words.take("line name");
        const auto line = lookup(kLines, name);
        if (!line)
            throw StatementError{QStringLiteral("unknown line"), name};
        s.through = *line;
    }
    return s;
}

FingerStatement parseFinger(Words &words)
{
    FingerStatement s;
    const QString name = words.take("finger name");
    const auto finger = lookup(kFingers, name);
    if (!finger)
        throw StatementError{QStringLiteral("unknown finger"), name};
    s.finger = *finger;
    do {
        const QString word = words.take("shape");
        if (word == QLatin1String("short"))
            s.isShort = true;
        else if (word == QLatin1String("long"))
            s.isLong = true;
        else if (word == QLatin1String("bent"))
            s.bent = true;
        else if (word == QLatin1String("thin"))
            s.thin = true;
        else if (word == QLatin1String("hairy"))
            s.hairy = true;
        else
            throw StatementError{QStringLiteral("unknown word"), word};
    } while (!words.atEnd());
    return s;
}

Statement parseStatement(const QStringList &words)
{
    Words rest(words);
    const QString &verb = words.first();
    Statement statement;
    if (verb == QLatin1String("line")) {
        statement = parseLine(rest);
    } else if (verb == QLatin1String("path")) {
        statement = parsePath(rest);
    } else if (verb == QLatin1String("branch")) {
        statement = parseBranch(rest);
    } else if (verb == QLatin1String("mark")) {
        statement = parseMark(rest);
    } else if (verb == QLatin1String("lines")) {
        statement = parseLines(rest);
    } else if (verb == QLatin1String("mess")) {
        statement = parseMess(rest);
    } else if (verb == QLatin1String("finger")) {
        statement = parseFinger(rest);
    } else if (verb == QLatin1String("label")) {
        const QString name = rest.take("palace");
        const auto palace = lookup(kPalaces, name);
        if (!palace)
            throw StatementError{QStringLiteral("unknown palace"), name};
        LabelStatement label{*palace, LabelStatement::Side::Auto};
        if (!rest.atEnd()) {
            const std::pair<const char *, LabelStatement::Side> sides[] = {
                {"above", LabelStatement::Side::Above},
                {"below", LabelStatement::Side::Below},
                {"left", LabelStatement::Side::Left},
                {"right", LabelStatement::Side::Right},
            };
            const QString word = rest.take("side");
            const auto side = lookup(sides, word);
            if (!side)
                throw StatementError{QStringLiteral("unknown word"), word};
            label.side = *side;
        }
        statement = label;
    } else {
        throw StatementError{QStringLiteral("unknown statement"), verb};
    }
    if (!rest.atEnd())
        throw StatementError{QStringLiteral("unknown word"), rest.take("")};
    return statement;
}

} // namespace

PalmParse parsePalmDescriptions(const QString &text, const QString &fileName)
{
    static const QRegularExpression key(QStringLiteral("^Image([1-9][0-9]{0,2})$"));
    static const QRegularExpression spaces(QStringLiteral("\\s+"));
    PalmParse result;
    QSet<int> seen;
    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString where = QStringLiteral("%1:%2: ").arg(fileName).arg(i + 1);
        const QString line = lines.at(i).section(u'#', 0, 0).trimmed();
        if (line.isEmpty())
            continue;
        const qsizetype colon = line.indexOf(u':');
        const QString name = line.left(colon).trimmed();
        const auto match = key.match(name);
        if (colon < 0 || !match.hasMatch()) {
            result.errors.append(where
                                 + QStringLiteral("expected \"ImageN:\" at \"%1\"").arg(name));
            continue;
        }
        PalmPicture picture;
        picture.number = match.captured(1).toInt();
        if (seen.contains(picture.number)) {
            result.errors.append(where + QStringLiteral("%1 described twice").arg(name));
            continue;
        }
        seen.insert(picture.number);
        bool good = true;
        for (const QString &part : line.mid(colon + 1).split(u';')) {
            const QStringList words = part.split(spaces, Qt::SkipEmptyParts);
            if (words.isEmpty())
                continue;
            try {
                picture.statements.append(parseStatement(words));
            } catch (const StatementError &e) {
                result.errors.append(where
                                     + QStringLiteral("%1: %2 \"%3\" in \"%4\"")
                                           .arg(name, e.problem, e.word, words.join(u' ')));
                good = false;
                break;
            }
        }
        if (good)
            result.pictures.append(std::move(picture));
    }
    return result;
}

std::optional<Anchor> parseAnchorWord(const QString &word)
{
    try {
        return parseAnchor(word);
    } catch (const StatementError &) {
        return std::nullopt;
    }
}

int palmPictureHeight(int number)
{
    return number == 56 ? 143 : 142;
}

} // namespace artwork
