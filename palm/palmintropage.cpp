#include "palm/palmintropage.h"

#include "base/datafile.h"
#include "base/errorreport.h"
#include "base/look.h"
#include "base/picturelabel.h"
#include "edition/document.h"
#include "richtext/rtfreader.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <qdrawutil.h>

#include <tuple>
#include <vector>

namespace {

constexpr QRect kPanel1{0, 7, 260, 379};
constexpr QRect kChart{1, 1, 256, 375}; // i1 and i2, on Panel1, one over the other
constexpr QRect kR1{272, 15, 337, 361};
constexpr QRect kStaticText1{392, 16, 70, 25}; // over r1's upper edge

// A panel with a double bevel: the outer one lowered, the inner one raised.
class DoubleBevelPanel : public QFrame
{
public:
    using QFrame::QFrame;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        qDrawShadePanel(&painter, rect(), palette(), true, 1);
        qDrawShadePanel(&painter, rect().adjusted(1, 1, -1, -1), palette(), false, 1);
    }
};

PictureLabel *chart(const QString &name, const QString &spokenName, QWidget *parent)
{
    auto *label = new PictureLabel(parent);
    label->setObjectName(name);
    label->setAccessibleName(spokenName);
    label->setGeometry(kChart);
    label->setCursor(Qt::ArrowCursor);
    // Decoded while in view, as the catalogue pictures are; one that can't be decoded leaves the
    // label empty.
    label->setPicture(QStringLiteral(":/pictures/chart/%1.jpg").arg(name));
    return label;
}

// Where a run of the introduction keeps the colour the file gave it.
constexpr int kFileColour = QTextFormat::UserProperty + 1;

// The introduction's own coloured words are accents: each is kept readable on `face`, from the
// colour the file gave it.
void recolourText(QTextDocument *document, const QColor &face)
{
    std::vector<std::tuple<int, int, QTextCharFormat>> runs;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextCharFormat format = fragment.charFormat();
            QColor own = format.property(kFileColour).value<QColor>();
            if (!own.isValid()) {
                if (!format.hasProperty(QTextFormat::ForegroundBrush))
                    continue;
                own = format.foreground().color();
                format.setProperty(kFileColour, own);
            }
            const QColor shown = base::accentOn(own, face);
            if (format.foreground().color() == shown && format.hasProperty(kFileColour))
                continue;
            format.setForeground(shown);
            runs.emplace_back(fragment.position(), fragment.length(), format);
        }
    }
    QTextCursor cursor(document);
    for (const auto &[position, length, format] : runs) {
        cursor.setPosition(position);
        cursor.setPosition(position + length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(format);
    }
}

} // namespace

PalmIntroPage::PalmIntroPage(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("TabSheet9"));
    setAccessibleName(tr("手相简介"));
    setAutoFillBackground(true);

    Panel1 = new DoubleBevelPanel(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setAccessibleName(tr("手相图"));
    Panel1->setGeometry(kPanel1);

    i1 = chart(QStringLiteral("i1"), tr("手相图 六大掌纹"), Panel1);
    i2 = chart(QStringLiteral("i2"), tr("手相图 八卦宫位"), Panel1);
    i2->hide();
    base::connectGuarded(i1, &PictureLabel::clicked, this, [this] { i1Click(); });
    base::connectGuarded(i2, &PictureLabel::clicked, this, [this] { i2Click(); });

    r1 = new QTextEdit(this);
    r1->setObjectName(QStringLiteral("r1"));
    r1->setAccessibleName(tr("手相学简介"));
    r1->setGeometry(kR1);
    r1->setReadOnly(true);
    r1->setFrameShape(QFrame::NoFrame);
    r1->setFont(base::songFont(13));
    // On the button face, in the button face's text colour, whatever the desktop's scheme.
    base::followScheme(r1, [this](const QPalette &scheme) {
        base::setBaseColour(r1, scheme.color(QPalette::Button));
        base::setTextColour(r1, scheme.color(QPalette::ButtonText));
        recolourText(r1->document(), scheme.color(QPalette::Button));
    });
    r1->setLineWrapMode(QTextEdit::WidgetWidth);
    // No scroll bars; the wheel still scrolls a text longer than the area.
    r1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    r1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The text only ever changes whole (read, converted for the edition, recoloured), and opens
    // at its beginning each time: reading it moves the area's own cursor to its end, which would
    // show a longer text's last lines. Queued, after the change is done: moving the cursor lays
    // the text out, which must not happen in the middle of a change.
    connect(
        r1->document(), &QTextDocument::contentsChanged, r1,
        [this] {
            r1->moveCursor(QTextCursor::Start);
            r1->verticalScrollBar()->setValue(0); // the document's top margin too
        },
        Qt::QueuedConnection);

    // Made after r1, so that it lies on top of r1's upper edge.
    StaticText1 = new QLabel(tr("手相学"), this);
    StaticText1->setObjectName(QStringLiteral("StaticText1"));
    StaticText1->setGeometry(kStaticText1);
    StaticText1->setFont(base::songFont(21, QFont::Bold));
    // The scheme's highlight, darkened or lightened where it would not read on the face.
    base::followScheme(StaticText1, [this](const QPalette &scheme) {
        const QColor face = scheme.color(QPalette::Button);
        base::setWindowColour(StaticText1, face);
        base::setTextColour(StaticText1, base::accentOn(scheme.color(QPalette::Highlight), face));
    });
}

QString PalmIntroPage::introductionPath()
{
    return base::executableFolder() + QStringLiteral("sxjj.txt");
}

void PalmIntroPage::loadIntroduction(const QString &path)
{
    showIntroduction(base::readDataFile(path));
}

void PalmIntroPage::showIntroduction(const QByteArray &bytes)
{
    richtext::importRichOrPlain(r1->document(), bytes);
    // Read as it is, then translated for the edition: ours from the catalogue at once, a user's
    // own through OpenCC a moment later. The catalogue's context for its fragments is ours.
    edition::translateDocument(r1->document(), "PalmIntroduction",
                               [](const QString &why) { base::showErrorReport(why); });
    recolourText(r1->document(), r1->palette().color(QPalette::Base));
}

void PalmIntroPage::i1Click()
{
    i1->hide();
    i2->show();
}

void PalmIntroPage::i2Click()
{
    i2->hide();
    i1->show();
}
