// Writes "rili.swf", the first tab's movie:   moviemaker rili.swf
// or the fuzzer's seed movies into a folder:  moviemaker --seeds fuzz/corpus/swf
// or the test movies of tst_swfsamples:       moviemaker --test-movies tests/data/swf

#include "tools/moviemaker/rili.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>

static bool save(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "moviemaker: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

int main(int argc, char **argv)
{
    // The text movie takes its glyphs from fonts through Qt's font engine, which needs a
    // QGuiApplication; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 1)
        return save(args[0], makeRili()) ? 0 : 1;
    if (args.size() == 2 && args[0] == QLatin1String("--seeds")) {
        const QDir folder(args[1]);
        const QList<QByteArray> seeds = makeSeeds();
        for (qsizetype i = 0; i < seeds.size(); ++i)
            if (!save(folder.filePath(QStringLiteral("seed%1.swf").arg(i + 1, 2, 10, QChar(u'0'))),
                      seeds[i]))
                return 1;
        return 0;
    }
    if (args.size() == 2 && args[0] == QLatin1String("--test-movies")) {
        const QDir folder(args[1]);
        for (const auto &[name, bytes] : makeTestMovies())
            if (!save(folder.filePath(name + QStringLiteral(".swf")), bytes))
                return 1;
        return 0;
    }
    std::fprintf(stderr, "usage: moviemaker OUT.swf | moviemaker --seeds FOLDER"
                         " | moviemaker --test-movies FOLDER\n");
    return 2;
}
