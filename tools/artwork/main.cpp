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

#include <QDir>
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

void Say(const QString &text)
{
    std::fprintf(stderr, "%s\n", qPrintable(text));
}

bool WriteFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (bytes.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()
        || !file.commit()) {
        Say(QStringLiteral("artwork: cannot write %1").arg(path));
        return false;
    }
    return true;
}

bool WriteJpeg(const QString &path, const QImage &image)
{
    return WriteFile(path, EncodeJpeg(image));
}

bool WritePng(const QString &path, const QImage &image)
{
    return WriteFile(path, EncodePng(image));
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
Drawn DrawBoth(const QString &name, Draw draw)
{
    return {name, draw(1), draw(2)};
}

QStringList FinerProblems(const QList<Drawn> &pictures)
{
    QStringList problems;
    for (const Drawn &d : pictures)
        problems += CheckFinerDrawing(d.picture, d.finer, d.name);
    return problems;
}

// NAME.jpg and NAME@2x.jpg for each picture, the names Qt gives a picture and its finer drawing.
bool WritePictures(const QString &outDir, const QList<Drawn> &pictures)
{
    const QDir dir(outDir);
    for (const Drawn &d : pictures)
        if (!WriteJpeg(dir.filePath(d.name + QStringLiteral(".jpg")), d.picture)
            || !WriteJpeg(dir.filePath(d.name + QStringLiteral("@2x.jpg")), d.finer))
            return false;
    return true;
}

// Reads every description file; nothing is drawn unless all of them are free of mistakes.
bool ReadDescriptions(const QStringList &files, QList<PalmPicture> &pictures)
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
            = ParsePalmDescriptions(QString::fromUtf8(file.readAll()), QFileInfo(name).fileName());
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
        Say(error);
    return errors.isEmpty();
}

// Draws every described picture and holds each to its description; nothing is written unless
// every rule holds for every picture.
bool DrawCheckedPalms(const QStringList &files, QList<Drawn> &drawn)
{
    QList<PalmPicture> pictures;
    if (!ReadDescriptions(files, pictures))
        return false;
    std::sort(pictures.begin(), pictures.end(),
              [](const PalmPicture &a, const PalmPicture &b) { return a.number < b.number; });
    QStringList problems;
    QHash<int, QImage> byNumber;
    for (const PalmPicture &picture : pictures) {
        problems += CheckPalmPicture(picture);
        drawn.append(DrawBoth(QStringLiteral("Image%1").arg(picture.number),
                              [&picture](int scale) { return DrawPalm(picture, scale); }));
        byNumber.insert(picture.number, drawn.last().picture);
    }
    problems += CheckPalmLookAlikes(byNumber);
    problems += FinerProblems(drawn);
    for (const QString &problem : problems)
        Say(problem);
    return problems.isEmpty();
}

int Palm(const QString &outDir, const QStringList &files, bool write)
{
    QList<Drawn> drawn;
    if (!DrawCheckedPalms(files, drawn))
        return 1;
    if (!write) {
        Say(QStringLiteral("artwork: %1 descriptions, no mistakes").arg(drawn.size()));
        return 0;
    }
    if (!WritePictures(outDir, drawn))
        return 1;
    Say(QStringLiteral("artwork: %1 palm pictures in %2").arg(drawn.size()).arg(outDir));
    return 0;
}

// The mole texts by key ("g07", "k03"): the title, if any, above the analysis.
QHash<QString, QString> ReadMoleTexts(const QDir &repo)
{
    static const QRegularExpression entry(
        QStringLiteral("^\\{\"([gk]\\d\\d)\", \"([^\"]*)\", \"(.*)\"\\},\\s*$"),
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
int WriteMoleReviewSheets(const QDir &repo, const QString &outDir)
{
    const QHash<QString, QString> texts = ReadMoleTexts(repo);
    const auto textOf = [&texts](const QString &key) {
        return texts.value(key, QStringLiteral("(no analysis)"));
    };
    QList<ReviewEntry> faces;
    QFile file(repo.filePath(QStringLiteral("tools/artwork/mole_faces.txt")));
    if (file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        const FaceParse parse = ParseFaceDescriptions(QString::fromUtf8(file.readAll()),
                                                      QStringLiteral("mole_faces.txt"));
        for (const FacePicture &picture : parse.pictures) {
            QString text = textOf(picture.key);
            for (const QString &error : parse.errors)
                if (error.contains(QStringLiteral(": %1: ").arg(picture.key)))
                    text += QStringLiteral(" 〔%1〕").arg(error);
            faces.append({DrawFace(picture), picture.key, text, DrawFace(picture, 2)});
        }
    }
    QList<ReviewEntry> bodies;
    for (const BodyPicture &picture : BodyPictures()) {
        const BodyScene scene(picture);
        bodies.append({scene.draw(LabelMode::With), BodyKey(picture.number),
                       textOf(BodyKey(picture.number)), scene.draw(LabelMode::With, 2)});
    }
    const QStringList written
        = WriteReviewSheets(faces, outDir, QStringLiteral("face"), 6)
          + WritePageSheets(faces, outDir, QStringLiteral("face"), PageGrid{5, 3, {70, 92}, 1})
          + WriteReviewSheets(bodies, outDir, QStringLiteral("body"), 3)
          + WritePageSheets(bodies, outDir, QStringLiteral("body"), PageGrid{3, 2, {120, 177}, 1});
    return faces.isEmpty() || written.isEmpty() ? -1 : int(written.size());
}

// Review sheets of the palm pictures as drawn now (checked or not, so that a failing picture can
// be looked at): each picture beside its analysis, and each topic's pages at real size.
int Review(const QString &root, const QString &outDir)
{
    const QDir repo(root);
    QStringList files;
    for (const char *name : {"tools/artwork/palm_items_1.txt", "tools/artwork/palm_items_2.txt"})
        if (QFileInfo::exists(repo.filePath(QLatin1String(name))))
            files.append(repo.filePath(QLatin1String(name)));
    QList<PalmPicture> pictures;
    if (!ReadDescriptions(files, pictures))
        return 1;
    QHash<int, QString> texts;
    for (const char *name : {"palm/palmtexts1.inc", "palm/palmtexts2.inc"}) {
        QFile file(repo.filePath(QLatin1String(name)));
        if (file.open(QIODevice::ReadOnly))
            texts.insert(ReadPalmAnalyses(QString::fromUtf8(file.readAll())));
    }
    int sheets = WritePalmReviewSheets(pictures, texts, outDir);
    const int moleSheets = sheets < 0 ? -1 : WriteMoleReviewSheets(repo, outDir);
    sheets = moleSheets < 0 ? -1 : sheets + moleSheets;
    if (sheets < 0) {
        Say(QStringLiteral("artwork: cannot write sheets in %1").arg(outDir));
        return 1;
    }
    Say(QStringLiteral("artwork: %1 review sheets in %2").arg(sheets).arg(outDir));
    return 0;
}

// Face moles: every description checked (places, outline, spacing, and every pair of pictures
// told apart at real size) before anything is written.
int Faces(const QString &outDir, const QString &descriptions, bool write)
{
    QFile file(descriptions);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        Say(QStringLiteral("%1: cannot open: %2").arg(descriptions, file.errorString()));
        return 1;
    }
    const FaceParse parse = ParseFaceDescriptions(QString::fromUtf8(file.readAll()),
                                                  QFileInfo(descriptions).fileName());
    QStringList errors = parse.errors;
    QList<std::pair<QString, QImage>> plain;
    QList<Drawn> drawn;
    QSet<QString> seen;
    for (const FacePicture &picture : parse.pictures) {
        if (seen.contains(picture.key))
            errors.append(QStringLiteral("%1 described again").arg(picture.key));
        seen.insert(picture.key);
        drawn.append(
            DrawBoth(picture.key, [&picture](int scale) { return DrawFace(picture, scale); }));
        plain.append({picture.key, drawn.last().picture});
    }
    if (errors.isEmpty())
        errors = SimilarFacePictures(plain) + FinerProblems(drawn);
    for (const QString &error : errors)
        Say(error);
    if (!errors.isEmpty())
        return 1;
    if (!write) {
        Say(QStringLiteral("artwork: %1 face descriptions, no mistakes").arg(drawn.size()));
        return 0;
    }
    if (!WritePictures(outDir, drawn))
        return 1;
    Say(QStringLiteral("artwork: %1 face pictures in %2").arg(drawn.size()).arg(outDir));
    return 0;
}

// The body moles kNN.jpg; nothing is written unless every picture and every pair passes.
int Body(const QString &outDir, bool write)
{
    QList<Drawn> drawn;
    for (const BodyPicture &picture : BodyPictures())
        drawn.append(DrawBoth(BodyKey(picture.number), [&picture](int scale) {
            return BodyScene(picture).draw(LabelMode::With, scale);
        }));
    const QStringList errors = CheckBodyCatalogue(BodyPictures()) + FinerProblems(drawn);
    for (const QString &error : errors)
        Say(error);
    if (!errors.isEmpty())
        return 1;
    if (!write) {
        Say(QStringLiteral("artwork: %1 body pictures, no mistakes").arg(BodyPictures().size()));
        return 0;
    }
    if (!WritePictures(outDir, drawn))
        return 1;
    Say(QStringLiteral("artwork: %1 body pictures in %2").arg(BodyPictures().size()).arg(outDir));
    return 0;
}

// The two palm charts i1.jpg and i2.jpg, refused when a label misses the palm or meets another.
int Charts(const QString &outDir)
{
    const std::pair<Chart, const char *> charts[] = {{Chart::Lines, "i1"}, {Chart::Palaces, "i2"}};
    QStringList errors;
    QList<Drawn> drawn;
    for (const auto &[chart, name] : charts) {
        const ChartScene scene(chart);
        errors += scene.check();
        drawn.append(
            DrawBoth(QLatin1String(name), [&scene](int scale) { return scene.draw(scale); }));
    }
    errors += FinerProblems(drawn);
    for (const QString &error : errors)
        Say(error);
    if (!errors.isEmpty() || !WritePictures(outDir, drawn))
        return 1;
    Say(QStringLiteral("artwork: the palm charts in %1").arg(outDir));
    return 0;
}

int All(const QString &root)
{
    const QDir repo(root);
    QStringList files;
    for (const char *name : {"tools/artwork/palm_items_1.txt", "tools/artwork/palm_items_2.txt"})
        if (QFileInfo::exists(repo.filePath(QLatin1String(name))))
            files.append(repo.filePath(QLatin1String(name)));
    if (!files.isEmpty()
        && Palm(repo.filePath(QStringLiteral("assets/pictures/palm")), files, true))
        return 1;
    const QString faces = repo.filePath(QStringLiteral("tools/artwork/mole_faces.txt"));
    if (QFileInfo::exists(faces)
        && Faces(repo.filePath(QStringLiteral("assets/pictures/mole")), faces, true))
        return 1;
    if (Body(repo.filePath(QStringLiteral("assets/pictures/mole")), true)
        || Charts(repo.filePath(QStringLiteral("assets/pictures/chart"))))
        return 1;
    const QList<Drawn> image218 = {DrawBoth(QStringLiteral("Image218"), DrawImage218)};
    const QStringList problems = FinerProblems(image218);
    for (const QString &problem : problems)
        Say(problem);
    if (!problems.isEmpty()
        || !WritePictures(repo.filePath(QStringLiteral("assets/pictures")), image218)
        || !WritePng(repo.filePath(QStringLiteral("assets/icon/lorvex2004.png")), DrawIcon()))
        return 1;
    for (int size : {128, 256})
        if (!WritePng(repo.filePath(QStringLiteral("assets/icon/lorvex2004-%1.png").arg(size)),
                      DrawIcon(size)))
            return 1;
    Say(QStringLiteral("artwork: Image218 and the icon written"));
    return 0;
}

int Usage()
{
    Say(QStringLiteral(
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
        return Usage();
    const QString &command = args.first();
    if (command == QLatin1String("palm") && args.size() >= 3)
        return Palm(args.at(1), args.mid(2), true);
    if (command == QLatin1String("check") && args.size() >= 2)
        return Palm(QString(), args.mid(1), false);
    if (command == QLatin1String("faces") && args.size() == 3)
        return Faces(args.at(1), args.at(2), true);
    if (command == QLatin1String("checkfaces") && args.size() == 2)
        return Faces(QString(), args.at(1), false);
    if (command == QLatin1String("body") && args.size() == 2)
        return Body(args.at(1), true);
    if (command == QLatin1String("checkbody") && args.size() == 1)
        return Body(QString(), false);
    if (command == QLatin1String("charts") && args.size() == 2)
        return Charts(args.at(1));
    if (command == QLatin1String("image218") && args.size() == 2)
        return WriteJpeg(args.at(1), DrawImage218()) ? 0 : 1;
    if (command == QLatin1String("icon") && args.size() == 2)
        return WritePng(args.at(1), DrawIcon()) ? 0 : 1;
    if (command == QLatin1String("icon") && args.size() == 3)
        return WritePng(args.at(2), DrawIcon(args.at(1).toInt())) ? 0 : 1;
    if (command == QLatin1String("all") && args.size() == 2)
        return All(args.at(1));
    if (command == QLatin1String("review") && args.size() == 3)
        return Review(args.at(1), args.at(2));
    return Usage();
}
