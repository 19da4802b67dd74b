// Our frames beside pictures that other players drew of the same movies: Flash Player for the
// movies made by other tools, Ruffle for the movies of our writer (see data/swf/README.md).

#include "framecompare.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTest>

namespace {

QByteArray readData(const QString &name)
{
    QFile file(QStringLiteral(LORVEX_SWF_DATA "/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QImage expectedPicture(const QString &name)
{
    return QImage::fromData(readData(name + QStringLiteral(".expected.png")));
}

} // namespace

class TestSwfSamples : public QObject
{
    Q_OBJECT
private slots:
    void samples_data();
    void samples();
    void wrongPictureFails_data();
    void wrongPictureFails();
};

void TestSwfSamples::samples_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("frames");
    QTest::addColumn<QString>("picture");
    // Flash Player's pictures of movies made by other tools.
    for (const char *name : {"ruffle_gradients", "ruffle_winding_rule", "shumway_acid-scale"})
        QTest::newRow(name) << QString::fromLatin1(name) << 1 << QString::fromLatin1(name);
    // LZMA ("ZWS") copies of two of them, made by Python's lzma (tools/swf2zws.py).
    for (const char *name : {"ruffle_gradients", "shumway_acid-scale"})
        QTest::addRow("%s as ZWS", name)
            << QString::fromLatin1(name) + QStringLiteral(".zws") << 1 << QString::fromLatin1(name);
    // Ruffle's pictures of our writer's movies (tools/moviemaker --test-movies).
    for (const char *name :
         {"ours_fills", "ours_lines", "ours_linescaling", "ours_fillrules", "ours_text",
          "ours_jpegtables", "ours_buttons", "ours_pictureformats", "ours_blendmodes"})
        QTest::newRow(name) << QString::fromLatin1(name) << 1 << QString::fromLatin1(name);
    // A gradient movie for each way a gradient may be written.
    for (const char *name :
         {"unordered", "repeated", "stops", "focal", "spread", "linearrgb", "several"}) {
        const QString movie = QStringLiteral("ours_grad_") + QLatin1String(name);
        QTest::newRow(qPrintable(movie)) << movie << 1 << movie;
    }
    // Movies over several frames, a picture of each: the timeline; morphs at their ratios (the
    // third frame moves one without a ratio, which keeps its own); frame actions that stop, play
    // and go to frames.
    for (const auto &[name, frames] :
         {std::pair{"ours_timeline", 3}, std::pair{"ours_morph", 3}, std::pair{"ours_actions", 6}})
        for (int frame = 1; frame <= frames; ++frame)
            QTest::addRow("%s frame %d", name, frame)
                << QString::fromLatin1(name) << frame
                << (frame == 1 ? QString::fromLatin1(name)
                               : QStringLiteral("%1.f%2").arg(QLatin1String(name)).arg(frame));
    // Ruffle's picture of a movie ffmpeg wrote: a JPEG a frame under one id, each behind an empty
    // JPEG, and a header of no frames. The first JPEG is kept,
    // so the fourth frame shows what the first does.
    for (int frame : {1, 4})
        QTest::addRow("ffmpeg_mjpeg frame %d", frame)
            << QStringLiteral("ffmpeg_mjpeg") << frame << QStringLiteral("ffmpeg_mjpeg");
}

void TestSwfSamples::samples()
{
    QFETCH(QString, name);
    QFETCH(int, frames);
    QFETCH(QString, picture);
    const QByteArray swf = readData(name + QStringLiteral(".swf"));
    const QImage expected = expectedPicture(picture);
    QVERIFY(!swf.isEmpty() && !expected.isNull());
    const QImage ours = renderStage(swf, frames);
    const FrameDifference difference = compareFrames(ours, expected);
    qInfo("%s: %s", qPrintable(picture), qPrintable(difference.describe()));
    // Our frame is kept beside the picture when it fails, or always with LORVEX_SWF_SAVE set.
    const QString saved = QDir::temp().filePath(picture + QStringLiteral(".ours.png"));
    if (!difference.passes() || qEnvironmentVariableIsSet("LORVEX_SWF_SAVE"))
        ours.save(saved);
    QVERIFY2(difference.passes(),
             qPrintable(difference.describe() + QStringLiteral("; ours saved as ") + saved));
}

// The comparison must see a real difference: the expected picture of each movie, moved by three
// pixels or with its colours inverted, against itself.
void TestSwfSamples::wrongPictureFails_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("change");
    for (const char *name : {"ruffle_gradients", "ruffle_winding_rule", "shumway_acid-scale"})
        for (const char *change :
             {"moved 3 pixels right", "moved 2 pixels down", "colours inverted"})
            QTest::addRow("%s %s", name, change)
                << QString::fromLatin1(name) << QString::fromLatin1(change);
}

void TestSwfSamples::wrongPictureFails()
{
    QFETCH(QString, name);
    QFETCH(QString, change);
    const QImage expected = expectedPicture(name).convertToFormat(QImage::Format_RGB32);
    QVERIFY(!expected.isNull());
    QVERIFY(compareFrames(expected, expected).passes());
    QImage wrong = expected;
    if (change.startsWith(u"moved")) {
        const QPoint by = change.contains(u"right") ? QPoint(3, 0) : QPoint(0, 2);
        QPainter painter(&wrong);
        painter.drawImage(by, expected);
    } else {
        for (int y = 0; y < wrong.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(wrong.scanLine(y));
            for (int x = 0; x < wrong.width(); ++x)
                line[x] = qRgb(255 - qRed(line[x]), 255 - qGreen(line[x]), 255 - qBlue(line[x]));
        }
    }
    const FrameDifference difference = compareFrames(wrong, expected);
    QVERIFY2(!difference.passes(), qPrintable(difference.describe()));
}

QTEST_GUILESS_MAIN(TestSwfSamples)
#include "tst_swfsamples.moc"
