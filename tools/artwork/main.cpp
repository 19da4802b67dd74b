// artwork: draws the program's pictures. See README.md beside this file.

#include "tools/artwork/charts.h"
#include "tools/artwork/imagefiles.h"
#include "tools/artwork/molebodydrawing.h"
#include "tools/artwork/molefacedescription.h"
#include "tools/artwork/palmchecks.h"
#include "tools/artwork/palmdescription.h"
#include "tools/artwork/palmdrawing.h"
#include "tools/artwork/pictures.h"
#include "tools/artwork/reviewsheet.h"
#include "tools/artwork/twins.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSet>

#include <algorithm>
#include <cstdio>

using namespace artwork;

namespace {

void say(const QString &text)
{
    std::fprintf(stderr, "%s\n", qPrintable(text));
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (bytes.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()
        || !file.commit()) {
        say(QStringLiteral("artwork: cannot write %1").arg(path));
        return false;
    }
    return true;
}

bool writeJpeg(const QString &path, const QImage &image)
{
    return writeFile(path, encodeJpeg(image));
}

bool writePng(const QString &path, const QImage &image)
{
    return writeFile(path, encodePng(image));
}

// One picture as the program shows it: drawn at its own size and at twice that size, for screens
// with more than one pixel to each of the program's.
struct Drawn
{
    QString name; // file name without ".jpg"
    QImage picture;
    QImage finer;
};

template<typename Draw>
Drawn drawBoth(const QString &name, Draw draw)
{
    return {name, draw(1), draw(2)};
}

QStringList finerProblems(const QList<Drawn> &pictures)
{
    QStringList problems;
    for (const Drawn &d : pictures)
        problems += checkFinerDrawing(d.picture, d.finer, d.name);
    return problems;
}

// NAME.jpg and NAME@2x.jpg for each picture, the names Qt gives a picture and its finer drawing.
bool writePictures(const QString &outDir, const QList<Drawn> &pictures)
{
    const QDir dir(outDir);
    for (const Drawn &d : pictures)
        if (!writeJpeg(dir.filePath(d.name + QStringLiteral(".jpg")), d.picture)
            || !writeJpeg(dir.filePath(d.name + QStringLiteral("@2x.jpg")), d.finer))
            return false;
    return true;
}

// Reads every description file; nothing is drawn unless all of them are free of mistakes.
bool readDescriptions(const QStringList &files, QList<PalmPicture> &pictures)
{
    QStringList errors;
    QSet<int> seen;
    for (const QString &name : files) {
        QFile file(name);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
            errors.append(QStringLiteral("%1: cannot open: %2").arg(name, file.errorString()));
            continue;
        }
        const PalmParse parse
            = parsePalmDescriptions(QString::fromUtf8(file.readAll()), QFileInfo(name).fileName());
        errors += parse.errors;
        for (const PalmPicture &picture : parse.pictures) {
            if (seen.contains(picture.number))
                errors.append(QStringLiteral("%1: Image%2 described again")
                                  .arg(QFileInfo(name).fileName())
                                  .arg(picture.number));
            seen.insert(picture.number);
            pictures.append(picture);
        }
    }
    for (const QString &error : errors)
        say(error);
    return errors.isEmpty();
}

// Draws every described picture and holds each to its description; nothing is written unless
// every rule holds for every picture.
bool drawCheckedPalms(const QStringList &files, QList<Drawn> &drawn)
{
    QList<PalmPicture> pictures;
    if (!readDescriptions(files, pictures))
        return false;
    std::sort(pictures.begin(), pictures.end(),
              [](const PalmPicture &a, const PalmPicture &b) { return a.number < b.number; });
    QStringList problems;
    QHash<int, QImage> byNumber;
    for (const PalmPicture &picture : pictures) {
        problems += checkPalmPicture(picture);
        drawn.append(drawBoth(QStringLiteral("Image%1").arg(picture.number),
                              [&picture](int scale) { return drawPalm(picture, scale); }));
        byNumber.insert(picture.number, drawn.last().picture);
    }
    problems += checkPalmLookAlikes(byNumber);
    problems += finerProblems(drawn);
    for (const QString &problem : problems)
        say(problem);
    return problems.isEmpty();
}

int runPalm(const QString &outDir, const QStringList &files, bool write)
{
    QList<Drawn> drawn;
    if (!drawCheckedPalms(files, drawn))
        return 1;
    if (!write) {
        say(QStringLiteral("artwork: %1 descriptions, no mistakes").arg(drawn.size()));
        return 0;
    }
    if (!writePictures(outDir, drawn))
        return 1;
    say(QStringLiteral("artwork: %1 palm pictures in %2").arg(drawn.size()).arg(outDir));
    return 0;
}

// The mole texts by key ("g07", "k03"): the title, if any, above the analysis.
QHash<QString, QString> readMoleTexts(const QDir &repo)
{
    static const QRegularExpression entry(
        QStringLiteral("^\\{\"([gk]\\d\\d)\", (?:QT_TRANSLATE_NOOP\\(\"\\w+\", )?\"([^\"]*)\"\\)?, "
                       "(?:QT_TRANSLATE_NOOP\\(\"\\w+\", )?\"(.*)\"\\)?\\},\\s*$"),
        QRegularExpression::MultilineOption);
    QHash<QString, QString> out;
    for (const char *name : {"mole/facemoles.inc", "mole/bodymoles.inc"}) {
        QFile file(repo.filePath(QLatin1String(name)));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        auto it = entry.globalMatch(QString::fromUtf8(file.readAll()));
        while (it.hasNext()) {
            const auto match = it.next();
            const QString title = match.captured(2).trimmed();
            out.insert(match.captured(1),
                       title.isEmpty() ? match.captured(3)
                                       : QStringLiteral("【%1】%2").arg(title, match.captured(3)));
        }
    }
    return out;
}

// Sheets of the face and body moles: each picture at real size and as its finer drawing beside
// its title and text, and the pages as the two mole tabs lay them out. Face descriptions that
// fail a check are drawn all the same, the failures written under the texts.
int writeMoleReviewSheets(const QDir &repo, const QString &outDir)
{
    const QHash<QString, QString> texts = readMoleTexts(repo);
    const auto textOf = [&texts](const QString &key) {
        return texts.value(key, QStringLiteral("(no analysis)"));
    };
    QList<ReviewEntry> faces;
    QFile file(repo.filePath(QStringLiteral("tools/artwork/mole_faces.txt")));
    if (file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        const FaceParse parse = parseFaceDescriptions(QString::fromUtf8(file.readAll()),
                                                      QStringLiteral("mole_faces.txt"));
        for (const FacePicture &picture : parse.pictures) {
            QString text = textOf(picture.key);
            for (const QString &error : parse.errors)
                if (error.contains(QStringLiteral(": %1: ").arg(picture.key)))
                    text += QStringLiteral(" 〔%1〕").arg(error);
            faces.append({drawFace(picture), picture.key, text, drawFace(picture, 2)});
        }
    }
    QList<ReviewEntry> bodies;
    for (const BodyPicture &picture : bodyPictures()) {
        const BodyScene scene(picture);
        bodies.append({scene.draw(LabelMode::With), bodyKey(picture.number),
                       textOf(bodyKey(picture.number)), scene.draw(LabelMode::With, 2)});
    }
    const QStringList written
        = writeReviewSheets(faces, outDir, QStringLiteral("face"), 6)
          + writePageSheets(faces, outDir, QStringLiteral("face"), PageGrid{5, 3, {70, 92}, 1})
          + writeReviewSheets(bodies, outDir, QStringLiteral("body"), 3)
          + writePageSheets(bodies, outDir, QStringLiteral("body"), PageGrid{3, 2, {120, 177}, 1});
    return faces.isEmpty() || written.isEmpty() ? -1 : int(written.size());
}

// Review sheets of the palm pictures as drawn now (checked or not, so that a failing picture can
// be looked at): each picture beside its analysis, and each topic's pages at real size.
int runReview(const QString &root, const QString &outDir)
{
    const QDir repo(root);
    QStringList files;
    for (const char *name : {"tools/artwork/palm_items_1.txt", "tools/artwork/palm_items_2.txt"})
        if (QFileInfo::exists(repo.filePath(QLatin1String(name))))
            files.append(repo.filePath(QLatin1String(name)));
    QList<PalmPicture> pictures;
    if (!readDescriptions(files, pictures))
        return 1;
    QHash<int, QString> texts;
    for (const char *name : {"palm/palmtexts1.inc", "palm/palmtexts2.inc"}) {
        QFile file(repo.filePath(QLatin1String(name)));
        if (file.open(QIODevice::ReadOnly))
            texts.insert(readPalmAnalyses(QString::fromUtf8(file.readAll())));
    }
    int sheets = writePalmReviewSheets(pictures, texts, outDir);
    const int moleSheets = sheets < 0 ? -1 : writeMoleReviewSheets(repo, outDir);
    sheets = moleSheets < 0 ? -1 : sheets + moleSheets;
    if (sheets < 0) {
        say(QStringLiteral("artwork: cannot write sheets in %1").arg(outDir));
        return 1;
    }
    say(QStringLiteral("artwork: %1 review sheets in %2").arg(sheets).arg(outDir));
    return 0;
}

// Face moles: every description checked (places, outline, spacing, and every pair of pictures
// told apart at real size) before anything is written.
int runFaces(const QString &outDir, const QString &descriptions, bool write)
{
    QFile file(descriptions);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        say(QStringLiteral("%1: cannot open: %2").arg(descriptions, file.errorString()));
        return 1;
    }
    const FaceParse parse = parseFaceDescriptions(QString::fromUtf8(file.readAll()),
                                                  QFileInfo(descriptions).fileName());
    QStringList errors = parse.errors;
    QList<std::pair<QString, QImage>> plain;
    QList<Drawn> drawn;
    QSet<QString> seen;
    for (const FacePicture &picture : parse.pictures) {
        if (seen.contains(picture.key))
            errors.append(QStringLiteral("%1 described again").arg(picture.key));
        seen.insert(picture.key);
        errors.append(hairProblems(picture));
        drawn.append(
            drawBoth(picture.key, [&picture](int scale) { return drawFace(picture, scale); }));
        plain.append({picture.key, drawn.last().picture});
    }
    if (errors.isEmpty())
        errors = similarFacePictures(plain) + finerProblems(drawn);
    for (const QString &error : errors)
        say(error);
    if (!errors.isEmpty())
        return 1;
    if (!write) {
        say(QStringLiteral("artwork: %1 face descriptions, no mistakes").arg(drawn.size()));
        return 0;
    }
    if (!writePictures(outDir, drawn))
        return 1;
    say(QStringLiteral("artwork: %1 face pictures in %2").arg(drawn.size()).arg(outDir));
    return 0;
}

// The body moles kNN.jpg; nothing is written unless every picture and every pair passes.
int runBody(const QString &outDir, bool write)
{
    QList<Drawn> drawn;
    for (const BodyPicture &picture : bodyPictures())
        drawn.append(drawBoth(bodyKey(picture.number), [&picture](int scale) {
            return BodyScene(picture).draw(LabelMode::With, scale);
        }));
    const QStringList errors = checkBodyCatalogue(bodyPictures()) + finerProblems(drawn);
    for (const QString &error : errors)
        say(error);
    if (!errors.isEmpty())
        return 1;
    if (!write) {
        say(QStringLiteral("artwork: %1 body pictures, no mistakes").arg(bodyPictures().size()));
        return 0;
    }
    if (!writePictures(outDir, drawn))
        return 1;
    say(QStringLiteral("artwork: %1 body pictures in %2").arg(bodyPictures().size()).arg(outDir));
    return 0;
}

// The two palm charts i1.jpg and i2.jpg, refused when a label misses the palm or meets another.
int runCharts(const QString &outDir)
{
    const std::pair<Chart, const char *> charts[] = {{Chart::Lines, "i1"}, {Chart::Palaces, "i2"}};
    QStringList errors;
    QList<Drawn> drawn;
    for (const auto &[chart, name] : charts) {
        const ChartScene scene(chart);
        errors += scene.check();
        drawn.append(
            drawBoth(QLatin1String(name), [&scene](int scale) { return scene.draw(scale); }));
    }
    errors += finerProblems(drawn);
    for (const QString &error : errors)
        say(error);
    if (!errors.isEmpty() || !writePictures(outDir, drawn))
        return 1;
    say(QStringLiteral("artwork: the palm charts in %1").arg(outDir));
    return 0;
}

QStringList palmDescriptionFiles(const QDir &repo)
{
    QStringList files;
    for (const char *name : {"tools/artwork/palm_items_1.txt", "tools/artwork/palm_items_2.txt"})
        if (QFileInfo::exists(repo.filePath(QLatin1String(name))))
            files.append(repo.filePath(QLatin1String(name)));
    return files;
}

// The Traditional twins of the pictures with words (twins.h), held to the same rules as the
// Simplified pictures, and each edition's palm catalogue with its twins in place to the
// look-alike rule; written into REPO_ROOT/assets/pictures/hant*/ when `write`, where a twin no
// longer drawn is removed. With `sheets`, review sheets beside the Simplified pictures instead.
int runTwins(const QDir &repo, bool write, const QString &sheets = QString())
{
    QList<PalmPicture> palms;
    if (!readDescriptions(palmDescriptionFiles(repo), palms))
        return 1;
    const QList<WordedPicture> pictures = wordedPictures(palms);
    const TwinSet set = drawTwins(pictures);
    QStringList problems = set.problems;
    for (const text::Edition edition : {text::Edition::Taiwan, text::Edition::HongKong}) {
        QHash<int, QImage> shown;
        for (const PalmPicture &palm : palms)
            shown.insert(palm.number, drawPalm(palm));
        for (const Twin &twin : set.twins) {
            static const QRegularExpression palm(QStringLiteral("/palm/Image(\\d+)$"));
            const auto match = palm.match(twin.name);
            if (match.hasMatch() && twin.editions.contains(edition))
                shown.insert(match.captured(1).toInt(), twin.picture);
        }
        for (const QString &problem : checkPalmLookAlikes(shown))
            problems.append(twinFolder({edition}) + QStringLiteral(": ") + problem);
    }
    for (const QString &problem : problems)
        say(problem);
    if (!sheets.isEmpty()) {
        const QStringList written = writeTwinSheets(pictures, set, sheets);
        say(QStringLiteral("artwork: %1 review sheets of the twins in %2")
                .arg(written.size())
                .arg(sheets));
        return written.isEmpty() ? 1 : 0;
    }
    if (!problems.isEmpty())
        return 1;
    if (!write) {
        say(QStringLiteral("artwork: %1 Traditional twins, no mistakes").arg(set.twins.size()));
        return 0;
    }
    const QDir assets(repo.filePath(QStringLiteral("assets/pictures")));
    QSet<QString> kept;
    for (const Twin &twin : set.twins) {
        const QString path = assets.filePath(twin.name);
        if (!writeJpeg(path + QStringLiteral(".jpg"), twin.picture)
            || !writeJpeg(path + QStringLiteral("@2x.jpg"), twin.finer))
            return 1;
        kept << QFileInfo(path + QStringLiteral(".jpg")).absoluteFilePath()
             << QFileInfo(path + QStringLiteral("@2x.jpg")).absoluteFilePath();
    }
    for (const text::Edition edition :
         {text::Edition::Simplified, text::Edition::Taiwan, text::Edition::HongKong}) {
        const QList<text::Edition> editions
            = edition == text::Edition::Simplified
                  ? QList{text::Edition::Taiwan, text::Edition::HongKong}
                  : QList{edition};
        QDirIterator it(assets.filePath(twinFolder(editions)), {QStringLiteral("*.jpg")},
                        QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = QFileInfo(it.next()).absoluteFilePath();
            if (!kept.contains(file) && QFile::remove(file))
                say(QStringLiteral("artwork: %1 removed, no longer a twin").arg(file));
        }
    }
    say(QStringLiteral("artwork: %1 Traditional twins in %2/hant*")
            .arg(set.twins.size())
            .arg(assets.path()));
    return 0;
}

int runAll(const QString &root)
{
    const QDir repo(root);
    const QStringList files = palmDescriptionFiles(repo);
    if (!files.isEmpty()
        && runPalm(repo.filePath(QStringLiteral("assets/pictures/palm")), files, true))
        return 1;
    const QString faces = repo.filePath(QStringLiteral("tools/artwork/mole_faces.txt"));
    if (QFileInfo::exists(faces)
        && runFaces(repo.filePath(QStringLiteral("assets/pictures/mole")), faces, true))
        return 1;
    if (runBody(repo.filePath(QStringLiteral("assets/pictures/mole")), true)
        || runCharts(repo.filePath(QStringLiteral("assets/pictures/chart"))))
        return 1;
    const QList<Drawn> image218 = {drawBoth(QStringLiteral("Image218"), drawImage218)};
    const QStringList problems = finerProblems(image218);
    for (const QString &problem : problems)
        say(problem);
    if (!problems.isEmpty()
        || !writePictures(repo.filePath(QStringLiteral("assets/pictures")), image218)
        || !writePng(repo.filePath(QStringLiteral("assets/icon/lorvex2004.png")), drawIcon()))
        return 1;
    for (int size : {128, 256})
        if (!writePng(repo.filePath(QStringLiteral("assets/icon/lorvex2004-%1.png").arg(size)),
                      drawIcon(size)))
            return 1;
    say(QStringLiteral("artwork: Image218 and the icon written"));
    return runTwins(repo, true);
}

int printUsage()
{
    say(QStringLiteral(
        "usage: artwork palm OUTDIR DESC...   draw ImageN.jpg for every described item\n"
        "       artwork check DESC...         read, draw and check them; write nothing\n"
        "       artwork faces OUTDIR DESC     draw gNN.jpg for every face-mole item\n"
        "       artwork checkfaces DESC       only read and check the face descriptions\n"
        "       artwork body OUTDIR           draw the body moles k01.jpg ... k18.jpg\n"
        "       artwork checkbody             only check the body pictures\n"
        "       artwork charts OUTDIR         draw the palm charts i1.jpg and i2.jpg\n"
        "       artwork image218 OUT.jpg\n"
        "       artwork icon [SIZE] OUT.png      SIZE 48 unless given\n"
        "       artwork all REPO_ROOT         everything, into REPO_ROOT/assets\n"
        "       artwork twins REPO_ROOT       only the Traditional twins, into "
        "assets/pictures/hant*\n"
        "       artwork checktwins REPO_ROOT  only check the Traditional twins\n"
        "       artwork reviewtwins REPO_ROOT OUTDIR   the twins beside the Simplified pictures"
        "\n"
        "       artwork review REPO_ROOT OUTDIR   palm, face and body review sheets (PNG) into "
        "OUTDIR"));
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    // Drawing needs fonts but no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return printUsage();
    const QString &command = args.first();
    if (command == QLatin1String("palm") && args.size() >= 3)
        return runPalm(args.at(1), args.mid(2), true);
    if (command == QLatin1String("check") && args.size() >= 2)
        return runPalm(QString(), args.mid(1), false);
    if (command == QLatin1String("faces") && args.size() == 3)
        return runFaces(args.at(1), args.at(2), true);
    if (command == QLatin1String("checkfaces") && args.size() == 2)
        return runFaces(QString(), args.at(1), false);
    if (command == QLatin1String("body") && args.size() == 2)
        return runBody(args.at(1), true);
    if (command == QLatin1String("checkbody") && args.size() == 1)
        return runBody(QString(), false);
    if (command == QLatin1String("charts") && args.size() == 2)
        return runCharts(args.at(1));
    if (command == QLatin1String("image218") && args.size() == 2)
        return writeJpeg(args.at(1), drawImage218()) ? 0 : 1;
    if (command == QLatin1String("icon") && args.size() == 2)
        return writePng(args.at(1), drawIcon()) ? 0 : 1;
    if (command == QLatin1String("icon") && args.size() == 3)
        return writePng(args.at(2), drawIcon(args.at(1).toInt())) ? 0 : 1;
    if (command == QLatin1String("all") && args.size() == 2)
        return runAll(args.at(1));
    if (command == QLatin1String("twins") && args.size() == 2)
        return runTwins(QDir(args.at(1)), true);
    if (command == QLatin1String("checktwins") && args.size() == 2)
        return runTwins(QDir(args.at(1)), false);
    if (command == QLatin1String("reviewtwins") && args.size() == 3)
        return runTwins(QDir(args.at(1)), false, args.at(2));
    if (command == QLatin1String("review") && args.size() == 3)
        return runReview(args.at(1), args.at(2));
    return printUsage();
}
