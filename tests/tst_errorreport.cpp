#include "app/form1.h"
#include "app/program.h"
#include "app/startup.h"
#include "base/datafile.h"
#include "base/errorreport.h"
#include "base/failure.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <stdexcept>

// Collects what would have been shown in stop boxes.
struct Shown
{
    QStringList captions;
    QStringList texts;
    base::ReportSink previous;
    Shown()
    {
        previous = base::setReportSink([this](const QString &caption, const QString &text) {
            captions << caption;
            texts << text;
        });
    }
    ~Shown() { base::setReportSink(previous); }
};

class TestErrorReport : public QObject
{
    Q_OBJECT
private slots:
    void fullStop_data();
    void fullStop();
    void guardShowsFailureOnce();
    void startupRunsInOrderAndStopsAtFirstFailure_data();
    void startupRunsInOrderAndStopsAtFirstFailure();
    void missingDataFileMessage();
    void dataFileIsRead();
    void executableFolderIsNotTheCurrentDirectory();
    void windowThatCannotBeCreated();
    void theBoxTheUserSees();
};

void TestErrorReport::fullStop_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");
    QTest::newRow("letter") << QStringLiteral("abc") << QStringLiteral("abc.");
    QTest::newRow("digit") << QStringLiteral("line 7") << QStringLiteral("line 7.");
    QTest::newRow("chinese") << QStringLiteral("出生") << QStringLiteral("出生.");
    QTest::newRow("full stop") << QStringLiteral("done.") << QStringLiteral("done.");
    QTest::newRow("apostrophe") << QStringLiteral("'abcd' is not a valid integer value")
                                << QStringLiteral("'abcd' is not a valid integer value.");
    QTest::newRow("ends in quote") << QStringLiteral("x \"") << QStringLiteral("x \"");
    QTest::newRow("ends in )") << QStringLiteral("(x)") << QStringLiteral("(x)");
    QTest::newRow("ends in !") << QStringLiteral("no!") << QStringLiteral("no!");
    QTest::newRow("ends in -") << QStringLiteral("a-") << QStringLiteral("a-");
    QTest::newRow("ends in /") << QStringLiteral("a/") << QStringLiteral("a/.");
    QTest::newRow("ends in space") << QStringLiteral("a ") << QStringLiteral("a ");
    QTest::newRow("ends in newline") << QStringLiteral("a\n") << QStringLiteral("a\n");
    QTest::newRow("empty") << QString() << QString();
}

void TestErrorReport::fullStop()
{
    QFETCH(QString, message);
    QFETCH(QString, shown);
    QCOMPARE(base::withFullStop(message), shown);
}

void TestErrorReport::guardShowsFailureOnce()
{
    Shown shown;
    QVERIFY(base::guarded([] {}));
    QVERIFY(!base::guarded(
        [] { throw base::Failure(QStringLiteral("'abcd' is not a valid integer value")); }));
    QVERIFY(!base::guarded([] { throw std::runtime_error("plain error"); }));
    QCOMPARE(shown.captions,
             QStringList({QStringLiteral("Lorvex 2004"), QStringLiteral("Lorvex 2004")}));
    QCOMPARE(shown.texts, QStringList({QStringLiteral("'abcd' is not a valid integer value."),
                                       QStringLiteral("plain error.")}));
}

void TestErrorReport::startupRunsInOrderAndStopsAtFirstFailure_data()
{
    QTest::addColumn<int>("failingStep"); // -1: none fails
    QTest::addColumn<QString>("ran");
    QTest::newRow("all succeed") << -1 << QStringLiteral("1234");
    QTest::newRow("first fails") << 0 << QStringLiteral("1");
    QTest::newRow("third fails") << 2 << QStringLiteral("123");
    QTest::newRow("last fails") << 3 << QStringLiteral("1234");
}

void TestErrorReport::startupRunsInOrderAndStopsAtFirstFailure()
{
    QFETCH(int, failingStep);
    QFETCH(QString, ran);
    Shown shown;
    QString trace;
    std::vector<StartupStep> steps;
    for (int i = 0; i < 4; ++i) {
        steps.push_back({QString::number(i), [&trace, i, failingStep] {
                             trace += QString::number(i + 1);
                             if (i == failingStep)
                                 throw base::Failure(QStringLiteral("step %1 failed").arg(i + 1));
                         }});
    }
    const int done = runStartupSteps(steps);
    QCOMPARE(trace, ran);
    QCOMPARE(done, failingStep < 0 ? 4 : failingStep);
    QCOMPARE(shown.texts.size(), failingStep < 0 ? 0 : 1);
    if (failingStep >= 0)
        QCOMPARE(shown.texts.front(), QStringLiteral("step %1 failed.").arg(failingStep + 1));
}

void TestErrorReport::missingDataFileMessage()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sxjj.txt"));
    Shown shown;
    QVERIFY(!base::guarded([&] { base::readDataFile(path); }));
    QCOMPARE(shown.texts.size(), 1);
    QCOMPARE(shown.texts.front(),
             QStringLiteral("Cannot open file \"%1\". No such file or directory.")
                 .arg(QDir::toNativeSeparators(path)));
}

void TestErrorReport::dataFileIsRead()
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("sxjj.txt")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("\xca\xd6\xcf\xe0"); // 手相 in code page 936
    file.close();
    QCOMPARE(base::readDataFile(file.fileName()), QByteArray("\xca\xd6\xcf\xe0"));
}

void TestErrorReport::executableFolderIsNotTheCurrentDirectory()
{
    QTemporaryDir elsewhere;
    const QString before = QDir::currentPath();
    QVERIFY(QDir::setCurrent(elsewhere.path()));
    const QString folder = base::executableFolder();
    QDir::setCurrent(before);
    QVERIFY(folder.endsWith(QDir::separator()));
    QCOMPARE(QDir(folder).canonicalPath(),
             QDir(QCoreApplication::applicationDirPath()).canonicalPath());
    QVERIFY(QDir(folder).canonicalPath() != QDir(elsewhere.path()).canonicalPath());
}

void TestErrorReport::windowThatCannotBeCreated()
{
    Shown shown;
    auto *app = qobject_cast<QApplication *>(QCoreApplication::instance());
    QVERIFY(app);
    const int code = runLorvex(*app, []() -> std::unique_ptr<TForm1> {
        throw base::Failure(QStringLiteral("Class not registered"));
    });
    QCOMPARE(code, 1);
    QCOMPARE(shown.captions, QStringList{QStringLiteral("Application Error")});
    QVERIFY2(shown.texts.front().contains(QStringLiteral("Class not registered")),
             qPrintable(shown.texts.front()));
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

// No sink: the real message box, read while it shows and closed with its OK button.
void TestErrorReport::theBoxTheUserSees()
{
    struct Seen
    {
        QString title, text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QList<QMessageBox::StandardButton> buttons;
        Qt::WindowModality modality = Qt::NonModal;
    } seen;
    QTimer::singleShot(0, this, [&seen] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen = {box->windowTitle(), box->text(), box->icon(), {}, box->windowModality()};
        for (QAbstractButton *button : box->buttons())
            seen.buttons << box->standardButton(button);
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    });
    QVERIFY(!base::guarded([] { throw base::Failure(QStringLiteral("出生资料有误")); }));
    QCOMPARE(seen.title, QStringLiteral("Lorvex 2004"));
    QCOMPARE(seen.text, QStringLiteral("出生资料有误."));
    QCOMPARE(seen.icon, QMessageBox::Critical);
    QCOMPARE(seen.buttons, QList<QMessageBox::StandardButton>{QMessageBox::Ok});
    QCOMPARE(seen.modality, Qt::ApplicationModal);
    QVERIFY(!QApplication::activeModalWidget());
}

QTEST_MAIN(TestErrorReport)
#include "tst_errorreport.moc"
