#include "movie/swfreader.h"

#include "movie/bitreader.h"
#include "movie/jpegbits.h"
#include "movie/shapereader.h"

#include <lzma.h>
#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace movie {

namespace {

using namespace swf;

// Inflates a "CWS" body. The header's length is only a hint for the first allocation: the output
// grows as the stream delivers and stops at the limit, so neither a lying length nor a bomb can
// make it allocate without bound. A stream that ends early keeps what it gave.
QByteArray inflateBody(QByteArrayView body, qsizetype hint, qsizetype limit, QStringList &problems)
{
    QByteArray out;
    out.resize(std::min({std::max<qsizetype>(hint, 1024), qsizetype(4 * 1024 * 1024), limit}));
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK)
        return {};
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(body.data()));
    stream.avail_in = uInt(std::min<qsizetype>(body.size(), 0x7fffffff));
    qsizetype produced = 0;
    int status = Z_OK;
    while (status == Z_OK) {
        if (produced == out.size()) {
            if (out.size() >= limit) {
                problems << QStringLiteral("inflated body cut at %1 bytes").arg(limit);
                break;
            }
            out.resize(std::min<qsizetype>(out.size() * 2, limit));
        }
        stream.next_out = reinterpret_cast<Bytef *>(out.data() + produced);
        stream.avail_out = uInt(out.size() - produced);
        status = inflate(&stream, Z_NO_FLUSH);
        produced = out.size() - stream.avail_out;
        if (status == Z_BUF_ERROR && stream.avail_in == 0)
            break;
    }
    if (status != Z_STREAM_END && status != Z_OK)
        problems << QStringLiteral("compressed body ends early");
    inflateEnd(&stream);
    out.truncate(produced);
    return out;
}

// Decodes a "ZWS" body: the compressed length (not needed: the stream is read to its end), five
// bytes of LZMA properties and the LZMA stream, without the sizes of an .lzma file. The stream
// stops at `expected` bytes, the header's length, whether or not it has an end mark; as with
// inflateBody, the output grows as the stream delivers and stops at the limit, and the dictionary
// is never larger than the output may be, whatever the properties ask.
QByteArray lzmaBody(QByteArrayView body, qsizetype expected, qsizetype limit, QStringList &problems)
{
    if (body.size() < 9) {
        problems << QStringLiteral("LZMA properties cut short");
        return {};
    }
    lzma_filter filters[2] = {{LZMA_FILTER_LZMA1, nullptr}, {LZMA_VLI_UNKNOWN, nullptr}};
    if (lzma_properties_decode(&filters[0], nullptr,
                               reinterpret_cast<const uint8_t *>(body.data() + 4), 5)
        != LZMA_OK) {
        problems << QStringLiteral("LZMA properties not understood");
        return {};
    }
    auto *options = static_cast<lzma_options_lzma *>(filters[0].options);
    const qsizetype wanted = std::max<qsizetype>(expected, 0);
    const qsizetype bound = std::min(wanted, limit);
    options->dict_size = uint32_t(std::clamp<qsizetype>(
        options->dict_size, LZMA_DICT_SIZE_MIN, std::max<qsizetype>(bound, LZMA_DICT_SIZE_MIN)));
    lzma_stream stream = LZMA_STREAM_INIT;
    const lzma_ret started = lzma_raw_decoder(&stream, filters);
    free(options);
    if (started != LZMA_OK) {
        problems << QStringLiteral("LZMA decoder not started");
        return {};
    }
    QByteArray out;
    out.resize(std::min({bound, qsizetype(4 * 1024 * 1024)}));
    stream.next_in = reinterpret_cast<const uint8_t *>(body.data() + 9);
    stream.avail_in = size_t(body.size() - 9);
    qsizetype produced = 0;
    lzma_ret status = LZMA_OK;
    while (status == LZMA_OK && produced < bound) {
        if (produced == out.size())
            out.resize(std::min(out.size() * 2, bound));
        stream.next_out = reinterpret_cast<uint8_t *>(out.data() + produced);
        stream.avail_out = size_t(out.size() - produced);
        const size_t before = stream.avail_in;
        status = lzma_code(&stream, LZMA_RUN);
        const qsizetype now = out.size() - qsizetype(stream.avail_out);
        if (status == LZMA_OK && now == produced && stream.avail_in == before)
            break; // no input left to go on with
        produced = now;
    }
    lzma_end(&stream);
    if (produced == limit && wanted > limit)
        problems << QStringLiteral("LZMA body cut at %1 bytes").arg(limit);
    else if (produced < wanted)
        problems << QStringLiteral("compressed body ends early");
    out.truncate(produced);
    return out;
}

ColorTransform readColorTransform(BitReader &in, bool withAlpha)
{
    ColorTransform cx;
    const bool hasAdd = in.bits(1);
    const bool hasMul = in.bits(1);
    const int n = int(in.bits(4));
    const int channels = withAlpha ? 4 : 3;
    if (hasMul)
        for (int i = 0; i < channels; ++i)
            cx.mul[i] = int(in.signedBits(n));
    if (hasAdd)
        for (int i = 0; i < channels; ++i)
            cx.add[i] = int(in.signedBits(n));
    in.align();
    return cx;
}

// Passes over a PlaceObject3 filter list; false when it can't be read to its end.
bool skipFilters(BitReader &in)
{
    const int count = in.u8();
    for (int i = 0; i < count && !in.overrun(); ++i) {
        qsizetype length = 0;
        switch (in.u8()) {
        case 0: // drop shadow
            length = 23;
            break;
        case 1: // blur
            length = 9;
            break;
        case 2: // glow
            length = 15;
            break;
        case 3: // bevel
            length = 27;
            break;
        case 4: // gradient glow
        case 7: // gradient bevel
            length = qsizetype(in.u8()) * 5 + 19;
            break;
        case 5: { // convolution
            const int columns = in.u8();
            const int rows = in.u8();
            length = 8 + qsizetype(columns) * rows * 4 + 5;
            break;
        }
        case 6: // colour matrix
            length = 80;
            break;
        default:
            return false;
        }
        if (length > in.remaining())
            return false;
        (void)in.take(length);
    }
    return !in.overrun();
}

ControlTag readPlace(BitReader &in, int code)
{
    ControlTag tag;
    if (code == PlaceObject) {
        tag.characterId = in.u16();
        tag.depth = in.u16();
        tag.hasMatrix = true;
        tag.matrix = in.matrix();
        if (!in.atEnd()) {
            tag.hasColorTransform = true;
            tag.colorTransform = readColorTransform(in, false);
        }
        return tag;
    }
    const int flags = in.u8();
    const int flags3 = code == PlaceObject3 ? in.u8() : 0;
    tag.depth = in.u16();
    tag.move = flags & PlaceMove;
    if ((flags3 & PlaceHasClassName) || ((flags3 & PlaceHasImage) && (flags & PlaceHasCharacter)))
        (void)in.string(); // class name
    if (flags & PlaceHasCharacter)
        tag.characterId = in.u16();
    if (flags & PlaceHasMatrix) {
        tag.hasMatrix = true;
        tag.matrix = in.matrix();
    }
    if (flags & PlaceHasColorTransform) {
        tag.hasColorTransform = true;
        tag.colorTransform = readColorTransform(in, true);
    }
    if (flags & PlaceHasRatio) {
        tag.hasRatio = true;
        tag.ratio = in.u16();
    }
    if (flags & PlaceHasName)
        (void)in.string(); // name: only scripts use it
    if (flags & PlaceHasClipDepth)
        tag.clipDepth = in.u16();
    // Filters and bitmap caching are passed over; blend modes and visibility are kept. Clip
    // actions (scripts) follow and are never read.
    if ((flags3 & PlaceHasFilterList) && !skipFilters(in))
        return tag;
    if ((flags3 & PlaceHasBlendMode) && !in.atEnd()) {
        tag.hasBlendMode = true;
        tag.blendMode = in.u8();
    }
    if (flags3 & PlaceHasCacheAsBitmap)
        (void)in.u8();
    if ((flags3 & PlaceHasVisible) && !in.atEnd()) {
        tag.hasVisible = true;
        tag.visible = in.u8() != 0;
    }
    return tag;
}

// DefineBitsLossless(2): colour-mapped 8-bit or direct 24/32-bit pixels, zlib compressed. The
// pixels are allocated only within `maxPixels` and `pixelBudget`, which each bitmap uses up.
QImage readLossless(BitReader &in, bool withAlpha, qint64 maxPixels, qint64 &pixelBudget,
                    QStringList &problems)
{
    const int format = in.u8();
    const int width = in.u16();
    const int height = in.u16();
    const int tableSize = format == 3 ? in.u8() + 1 : 0;
    if (width == 0 || height == 0 || in.overrun())
        return {};
    const qint64 pixels = qint64(width) * height;
    if (pixels > maxPixels || pixels > pixelBudget) {
        problems << QStringLiteral("bitmap of %1 x %2 passed over").arg(width).arg(height);
        return {};
    }
    pixelBudget -= pixels;
    if (format != 3 && format != 5) {
        problems << QStringLiteral("bitmap format %1 passed over").arg(format);
        return {};
    }
    const int entry = withAlpha ? 4 : 3;
    const qsizetype needed
        = format == 3 ? qsizetype(tableSize) * entry + qsizetype((width + 3) & ~3) * height
                      : qsizetype(width) * height * 4;
    const QByteArray data = inflateBody(in.rest(), needed, needed, problems);
    if (data.size() < needed) {
        problems << QStringLiteral("bitmap data cut short");
        return {};
    }
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return {};
    image.fill(Qt::transparent);
    const auto *bytes = reinterpret_cast<const uchar *>(data.constData());
    const qsizetype size = data.size();
    if (format == 3) {
        const qsizetype stride = (width + 3) & ~3;
        const qsizetype start = qsizetype(tableSize) * entry;
        for (int y = 0; y < height; ++y) {
            auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
            for (int x = 0; x < width; ++x) {
                const qsizetype at = start + y * stride + x;
                if (at >= size)
                    return image;
                const int index = bytes[at];
                const qsizetype c = qsizetype(index) * entry;
                if (index >= tableSize || c + entry > size)
                    continue;
                const int a = withAlpha ? bytes[c + 3] : 255;
                line[x] = qRgba(bytes[c], bytes[c + 1], bytes[c + 2], a);
            }
        }
    } else if (format == 5) {
        for (int y = 0; y < height; ++y) {
            auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
            for (int x = 0; x < width; ++x) {
                const qsizetype at = (qsizetype(y) * width + x) * 4;
                if (at + 4 > size)
                    return image;
                const int a = withAlpha ? bytes[at] : 255;
                // Stored premultiplied; keep colours within their alpha.
                line[x] = qRgba(std::min<int>(bytes[at + 1], a), std::min<int>(bytes[at + 2], a),
                                std::min<int>(bytes[at + 3], a), a);
            }
        }
    } else {
        problems << QStringLiteral("bitmap format %1 passed over").arg(format);
        return {};
    }
    return image;
}

class TagReader
{
public:
    TagReader(const ReadLimits &limits, Movie &movie)
        : m_limits(limits)
        , m_movie(movie)
    {}

    // Reads tags up to End or the end of the data into `timeline`. Definitions are taken only on
    // the main timeline; a sprite holds display-list operations and frames alone, so a sprite can
    // never define another one and the reader never recurses more than one level.
    void readTimeline(BitReader &in, Timeline &timeline, bool main)
    {
        Frame pending;
        Frame actions; // run after the frame's operations, wherever their tags lie in it
        std::map<QByteArray, int> labels;
        std::vector<QByteArray> labelled; // the labels gotos name, until all are read
        bool ended = false;
        while (!in.atEnd()) {
            const int header = in.u16();
            const int code = header >> 6;
            qsizetype length = header & 0x3f;
            if (length == 0x3f)
                length = qsizetype(in.u32());
            if (in.overrun())
                break;
            if (length > in.remaining()) {
                m_movie.problems << QStringLiteral("tag %1 cut short").arg(code);
                length = in.remaining();
            }
            BitReader body = in.take(length);
            if (code == End) {
                ended = true;
                break;
            }
            switch (code) {
            case ShowFrame:
                pending.insert(pending.end(), actions.begin(), actions.end());
                actions.clear();
                timeline.push_back(std::move(pending));
                pending = {};
                break;
            case DoAction:
                readActions(body, actions, labelled);
                break;
            case FrameLabel:
                labels.try_emplace(body.string().toByteArray(), int(timeline.size()));
                break;
            case PlaceObject:
            case PlaceObject2:
            case PlaceObject3: {
                ControlTag tag = readPlace(body, code);
                if (!body.overrun() || code == PlaceObject)
                    pending.push_back(tag);
                break;
            }
            case RemoveObject:
            case RemoveObject2: {
                ControlTag tag;
                tag.kind = ControlTag::Remove;
                if (code == RemoveObject)
                    (void)body.u16();
                tag.depth = body.u16();
                if (!body.overrun())
                    pending.push_back(tag);
                break;
            }
            default:
                if (main)
                    readDefinition(body, code);
                break;
            }
        }
        resolveLabels(timeline, labels, labelled);
        // Operations after the last ShowFrame never show: Flash drops them too.
        if (!ended)
            m_movie.problems << QStringLiteral("no End tag");
        if (main && m_actionsPassedOver > 0)
            m_movie.problems << QStringLiteral("%1 lists of actions followed only up to a branch, "
                                               "a call or another timeline's name")
                                    .arg(m_actionsPassedOver);
        if (main && m_redefined > 0)
            m_movie.problems << QStringLiteral("%1 definitions of characters already defined "
                                               "passed over: the first of each is kept")
                                    .arg(m_redefined);
    }

private:
    // The actions of a frame that move its own timeline: stop, play and the gotos. Anything
    // else is passed over. A list is followed only up to an action that branches, calls or
    // turns to another timeline by name: which of the actions after it would run, and on which
    // timeline, would take running the script to know. A goto to a label names it by its place
    // in `labelled` (-2 for the first, -3 for the next) until the timeline's labels are read.
    void readActions(BitReader &body, Frame &actions, std::vector<QByteArray> &labelled)
    {
        while (!body.atEnd()) {
            const int code = body.u8();
            const qsizetype length = code >= 0x80 ? body.u16() : 0;
            if (code == ActionEnd || body.overrun() || length > body.remaining())
                return;
            BitReader data = body.take(length);
            ControlTag tag;
            switch (code) {
            case ActionStop:
                tag.kind = ControlTag::Stop;
                break;
            case ActionPlay:
                tag.kind = ControlTag::Play;
                break;
            case ActionNextFrame:
            case ActionPreviousFrame:
                tag.kind = ControlTag::Step;
                tag.frame = code == ActionNextFrame ? 1 : -1;
                break;
            case ActionGotoFrame:
                tag.kind = ControlTag::Goto;
                tag.frame = data.u16();
                break;
            case ActionGotoLabel:
                tag.kind = ControlTag::Goto;
                tag.frame = -2 - int(labelled.size());
                labelled.push_back(data.string().toByteArray());
                break;
            case ActionSetTarget:
            case ActionSetTarget2:
            case ActionCallFunction:
            case ActionCallMethod:
            case ActionDefineFunction:
            case ActionDefineFunction2:
            case ActionTry:
            case ActionWith:
            case ActionJump:
            case ActionIf:
            case ActionCall:
            case ActionGotoFrame2:
                ++m_actionsPassedOver;
                return;
            default:
                continue;
            }
            if (data.overrun())
                return;
            actions.push_back(tag);
        }
    }

    // Each goto to a label gets the label's frame, none (-1) when the timeline has no such
    // label: by its exact name, else by its name in any case, as the scripts of early versions
    // match it.
    static void resolveLabels(Timeline &timeline, const std::map<QByteArray, int> &labels,
                              const std::vector<QByteArray> &labelled)
    {
        if (labelled.empty())
            return;
        std::map<QByteArray, int> anyCase;
        for (const auto &[name, frame] : labels)
            anyCase.try_emplace(name.toLower(), frame);
        const auto frameOf = [&](const QByteArray &label) {
            if (const auto exact = labels.find(label); exact != labels.end())
                return exact->second;
            const auto found = anyCase.find(label.toLower());
            return found != anyCase.end() ? found->second : -1;
        };
        for (Frame &frame : timeline)
            for (ControlTag &tag : frame)
                if (tag.kind == ControlTag::Goto && tag.frame <= -2)
                    tag.frame = frameOf(labelled[size_t(-2 - tag.frame)]);
    }

    // DefineBitsJPEG2, 3 and 4: a JPEG stream (or a PNG or GIF), for JPEG3 and 4 followed by
    // zlib-compressed alpha, one byte a pixel, which a PNG or GIF never has. The pixels come out
    // of the movie's bitmap budget.
    QImage readJpeg(BitReader &body, bool withAlpha, bool deblocking = false)
    {
        const qsizetype alphaOffset = withAlpha ? qsizetype(body.u32()) : body.remaining();
        if (deblocking)
            (void)body.u16(); // DefineBitsJPEG4's deblocking strength: drawn without
        const QByteArrayView rest = body.rest();
        if (body.overrun() || alphaOffset > rest.size())
            return {};
        QImage image = decodeJpegBits(rest.first(alphaOffset),
                                      std::min(m_limits.maxBitmapPixels, m_pixelBudget));
        if (image.isNull()) {
            m_movie.problems << QStringLiteral("JPEG passed over");
            return {};
        }
        m_pixelBudget -= qint64(image.width()) * image.height();
        if (!withAlpha || alphaOffset == rest.size() || image.hasAlphaChannel())
            return image;
        const qsizetype pixels = qsizetype(image.width()) * image.height();
        const QByteArray alpha
            = inflateBody(rest.sliced(alphaOffset), pixels, pixels, m_movie.problems);
        if (alpha.size() < pixels)
            return image; // no usable alpha: opaque
        // The colours are stored premultiplied, as Flash's tools wrote them; Flash Player keeps
        // each within its alpha, for the files whose colours aren't.
        image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < image.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                const int a = uchar(alpha[qsizetype(y) * image.width() + x]);
                line[x] = qRgba(std::min(qRed(line[x]), a), std::min(qGreen(line[x]), a),
                                std::min(qBlue(line[x]), a), a);
            }
        }
        return image;
    }

    // As Flash Player does, a character keeps its first definition: ffmpeg, for one, writes every
    // frame's picture under one id (after a FreeCharacter, which Flash Player passes over).
    // Checked before a definition is read, so that nothing is decoded for it.
    bool definedAlready(int id)
    {
        const bool defined = m_movie.dictionary.contains(id) || m_fonts.contains(id);
        m_redefined += defined;
        return defined;
    }

    // Reads the id a definition starts with and, unless it is taken, a character of `kind` that
    // `read` fills in from the rest of the tag.
    template<typename Read>
    void defineCharacter(BitReader &body, Character::Kind kind, Read read)
    {
        const int id = body.u16();
        if (definedAlready(id))
            return;
        auto character = std::make_shared<Character>();
        character->kind = kind;
        read(*character, id);
        m_movie.dictionary.emplace(id, std::move(character));
    }

    void readDefinition(BitReader &body, int code)
    {
        switch (code) {
        case SetBackgroundColor: {
            // Flash Player keeps the first background colour; later ones change nothing.
            const QColor colour = body.rgb();
            if (!body.overrun() && !m_backgroundSet) {
                m_movie.background = colour;
                m_backgroundSet = true;
            }
            break;
        }
        case DefineShape:
        case DefineShape2:
        case DefineShape3:
        case DefineShape4: {
            const int version = code == DefineShape    ? 1
                                : code == DefineShape2 ? 2
                                : code == DefineShape3 ? 3
                                                       : 4;
            defineCharacter(body, Character::ShapeCharacter, [&](Character &shape, int id) {
                const int budget = std::min(m_limits.maxEdgesPerShape, m_edgeBudget);
                shape.shape = readShape(body, version, m_movie.version,
                                        {budget, m_limits.maxStylesPerShape});
                m_edgeBudget -= shape.shape.edges;
                if (shape.shape.edges >= budget)
                    m_movie.problems
                        << QStringLiteral("shape %1 cut at %2 edges").arg(id).arg(budget);
            });
            break;
        }
        case DefineMorphShape:
        case DefineMorphShape2:
            defineCharacter(body, Character::MorphCharacter, [&](Character &morph, int id) {
                const int budget = std::min(m_limits.maxEdgesPerShape, m_edgeBudget);
                int edges = 0;
                QString problem;
                morph.morph = readMorph(body, code == DefineMorphShape2 ? 2 : 1, m_movie.version,
                                        {budget, m_limits.maxStylesPerShape}, edges, problem);
                m_edgeBudget -= edges;
                if (!problem.isEmpty())
                    m_movie.problems << QStringLiteral("morph %1 %2").arg(id).arg(problem);
            });
            break;
        case DefineSprite:
            defineCharacter(body, Character::SpriteCharacter, [&](Character &sprite, int) {
                (void)body.u16(); // declared frame count: the ShowFrame tags decide
                readTimeline(body, sprite.sprite, false);
            });
            break;
        case DefineButton:
        case DefineButton2:
            defineCharacter(body, Character::SpriteCharacter, [&](Character &button, int) {
                button.sprite = {readButtonUp(body, code == DefineButton2)};
            });
            break;
        case DefineBitsLossless:
        case DefineBitsLossless2:
            defineCharacter(body, Character::BitmapCharacter, [&](Character &bitmap, int) {
                bitmap.bitmap
                    = readLossless(body, code == DefineBitsLossless2, m_limits.maxBitmapPixels,
                                   m_pixelBudget, m_movie.problems);
            });
            break;
        case JPEGTables:
            // One a movie, ahead of the DefineBits that use it.
            if (!m_jpegTables)
                m_jpegTables = body.rest().toByteArray();
            break;
        case DefineBits:
            defineCharacter(body, Character::BitmapCharacter, [&](Character &bitmap, int) {
                QByteArray joined = m_jpegTables.value_or(QByteArray());
                joined += body.rest();
                BitReader stream(joined);
                bitmap.bitmap = readJpeg(stream, false);
            });
            break;
        case DefineBitsJPEG2:
        case DefineBitsJPEG3:
        case DefineBitsJPEG4:
            defineCharacter(body, Character::BitmapCharacter, [&](Character &bitmap, int) {
                bitmap.bitmap = readJpeg(body, code != DefineBitsJPEG2, code == DefineBitsJPEG4);
            });
            break;
        case DefineFont:
        case DefineFont2:
        case DefineFont3: {
            const int id = body.u16();
            if (!definedAlready(id))
                readFont(body, id, code);
            break;
        }
        case DefineText:
        case DefineText2:
            defineCharacter(body, Character::ShapeCharacter, [&](Character &text, int id) {
                text.shape = readText(body, id, code == DefineText2);
            });
            break;
        default:
            break; // actions, sounds, edit text...: passed over
        }
    }

    // A button as a sprite of one frame: what it shows in its up state, as it stands with no
    // pointer over it. Its other states and its actions need a pointer and scripts, which a
    // movie here never gets.
    Frame readButtonUp(BitReader &body, bool second)
    {
        if (second) {
            (void)body.u8();  // tracked as a menu
            (void)body.u16(); // where its actions start
        }
        Frame up;
        while (!body.overrun()) {
            const int flags = body.u8();
            if (flags == 0 || body.overrun())
                break;
            ControlTag tag;
            tag.characterId = body.u16();
            tag.depth = body.u16();
            tag.hasMatrix = true;
            tag.matrix = body.matrix();
            if (second) {
                tag.hasColorTransform = true;
                tag.colorTransform = readColorTransform(body, true);
                if ((flags & ButtonHasFilterList) && !skipFilters(body))
                    break;
                if (flags & ButtonHasBlendMode)
                    (void)body.u8();
            }
            if ((flags & ButtonStateUp) && !body.overrun())
                up.push_back(tag);
        }
        return up;
    }

    // A font's glyphs, in its units: 1024 to the em, 20480 in DefineFont3.
    struct Glyph
    {
        QPainterPath path;
        int edges = 0;
    };
    struct Font
    {
        std::vector<Glyph> glyphs;
        qreal unitsPerEm = 1024;
    };

    // DefineFont's glyph shapes, or DefineFont2's and 3's; their names, codes and layout are
    // for text typed at run time, which a movie here never has.
    void readFont(BitReader &body, int id, int code)
    {
        Font font;
        qsizetype glyphCount = 0;
        bool wide = false;
        if (code == DefineFont) {
            BitReader first(body.rest());
            glyphCount = first.u16() / 2; // the first offset follows the whole table
        } else {
            const int flags = body.u8();
            wide = flags & 0x08;
            (void)body.u8();            // language
            (void)body.take(body.u8()); // name
            glyphCount = body.u16();
            font.unitsPerEm = code == DefineFont3 ? 20480 : 1024;
        }
        if (glyphCount == 0) { // a font of the player's own, for text typed in
            m_fonts.emplace(id, std::move(font));
            return;
        }
        const QByteArrayView table = body.rest();
        BitReader offsets(table);
        std::vector<qsizetype> starts;
        for (qsizetype i = 0; i <= glyphCount && !offsets.overrun(); ++i) // and the code table's
            starts.push_back(wide ? qsizetype(offsets.u32()) : offsets.u16());
        if (offsets.overrun()) {
            m_movie.problems << QStringLiteral("font %1 passed over: no glyph table").arg(id);
            return;
        }
        if (code == DefineFont)
            starts.back() = table.size(); // DefineFont has no code table: the last glyph ends here
        for (qsizetype i = 0; i < glyphCount; ++i) {
            const qsizetype from = std::clamp<qsizetype>(starts[size_t(i)], 0, table.size());
            const qsizetype to = std::clamp<qsizetype>(starts[size_t(i) + 1], from, table.size());
            BitReader in(table.sliced(from, to - from));
            Glyph glyph;
            glyph.path = readGlyph(in, m_edgeBudget, glyph.edges);
            m_edgeBudget -= glyph.edges;
            font.glyphs.push_back(std::move(glyph));
        }
        m_fonts.emplace(id, std::move(font));
    }

    // A text of glyphs, built into a shape at reading: a layer for each glyph, placed by the text's
    // records and matrix and filled with its colour, so that it is drawn and kept as any shape is.
    Shape readText(BitReader &body, int id, bool alpha)
    {
        Shape shape;
        (void)body.rect(); // declared bounds: ours are measured
        const QTransform matrix = body.matrix();
        const int glyphBits = body.u8();
        const int advanceBits = body.u8();
        const Font *font = nullptr;
        QColor colour = Qt::black;
        qreal x = 0, y = 0, height = 0;
        const int budget = std::min(m_limits.maxEdgesPerShape, m_edgeBudget);
        bool cut = false;
        while (!cut && !body.overrun()) {
            const int flags = body.u8();
            if (flags == 0 || body.overrun())
                break;
            if (flags & 0x08) {
                const auto found = m_fonts.find(body.u16());
                font = found == m_fonts.end() ? nullptr : &found->second;
            }
            if (flags & 0x04)
                colour = alpha ? body.rgba() : body.rgb();
            if (flags & 0x01)
                x = body.s16();
            if (flags & 0x02)
                y = body.s16();
            if (flags & 0x08)
                height = body.u16();
            const int glyphs = body.u8();
            for (int i = 0; i < glyphs && !cut && !body.overrun(); ++i) {
                const auto index = qsizetype(body.bits(glyphBits));
                const qreal at = x;
                x += body.signedBits(advanceBits);
                if (!font || index >= qsizetype(font->glyphs.size()))
                    continue;
                const Glyph &glyph = font->glyphs[size_t(index)];
                if (glyph.path.isEmpty())
                    continue;
                if (shape.edges + glyph.edges > budget) {
                    m_movie.problems
                        << QStringLiteral("text %1 cut at %2 edges").arg(id).arg(budget);
                    cut = true;
                    break;
                }
                // Glyphs of one colour share its fill.
                if (shape.fills.empty() || shape.fills.back().colour != colour) {
                    FillStyle fill;
                    fill.colour = colour;
                    shape.fills.push_back(fill);
                }
                const qreal scale = height / font->unitsPerEm;
                ShapeLayer layer;
                layer.path = (QTransform(scale, 0, 0, scale, at, y) * matrix).map(glyph.path);
                layer.fill = int(shape.fills.size()) - 1;
                shape.bounds |= layer.path.boundingRect();
                shape.layers.push_back(std::move(layer));
                shape.edges += glyph.edges;
            }
            body.align();
        }
        m_edgeBudget -= shape.edges;
        return shape;
    }

    const ReadLimits &m_limits;
    Movie &m_movie;
    int m_edgeBudget = m_limits.maxEdgesPerMovie;
    qint64 m_pixelBudget = m_limits.maxPixelsPerMovie;
    bool m_backgroundSet = false;
    int m_redefined = 0;
    int m_actionsPassedOver = 0;
    std::map<int, Font> m_fonts;
    std::optional<QByteArray> m_jpegTables;
};

// Reads `bytes` into `movie`, naming in its problems what it leaves out.
void readInto(Movie &movie, QByteArrayView bytes, const ReadLimits &limits)
{
    if (bytes.size() < 8) {
        movie.problems << QStringLiteral("no SWF header");
        return;
    }
    const QByteArrayView signature = bytes.first(3);
    movie.version = uchar(bytes[3]);
    const auto declared
        = qsizetype(quint32(uchar(bytes[4])) | quint32(uchar(bytes[5])) << 8
                    | quint32(uchar(bytes[6])) << 16 | quint32(uchar(bytes[7])) << 24);
    QByteArray inflated;
    QByteArrayView body;
    if (signature == "FWS") {
        body = bytes.sliced(8);
    } else if (signature == "CWS") {
        inflated
            = inflateBody(bytes.sliced(8), declared - 8, limits.maxUncompressed, movie.problems);
        body = inflated;
    } else if (signature == "ZWS") {
        inflated = lzmaBody(bytes.sliced(8), declared - 8, limits.maxUncompressed, movie.problems);
        body = inflated;
    } else {
        movie.problems << QStringLiteral("not a SWF movie");
        return;
    }
    BitReader in(body);
    const QRectF stage = in.rect();
    const int rate = in.u16();
    movie.declaredFrameCount = in.u16();
    if (in.overrun()) {
        movie.problems << QStringLiteral("header cut short");
        return;
    }
    movie.stage = stage.normalized();
    movie.frameRate = rate / 256.0;
    TagReader(limits, movie).readTimeline(in, movie.timeline, true);
    if (movie.stage.width() < 1 || movie.stage.height() < 1) {
        movie.problems << QStringLiteral("empty stage");
        movie.timeline.clear();
    }
}

} // namespace

Q_LOGGING_CATEGORY(lcSwf, "lorvex.swf")

Movie readSwf(QByteArrayView bytes, const ReadLimits &limits, const QString &name)
{
    Movie movie;
    readInto(movie, bytes, limits);
    const QString what = name.isEmpty() ? QStringLiteral("movie") : name;
    if (movie.isEmpty() && movie.problems.isEmpty())
        qCWarning(lcSwf, "%s not read: it holds no frame", qUtf8Printable(what));
    for (const QString &problem : std::as_const(movie.problems))
        qCWarning(lcSwf, "%s %s: %s", qUtf8Printable(what),
                  movie.isEmpty() ? "not read" : "read in part", qUtf8Printable(problem));
    return movie;
}

} // namespace movie
