#include "edition/edition.h"

#include <QCoreApplication>
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHash>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>
#include <stdexcept>

namespace edition {

namespace {

struct Installed
{
    text::Edition edition = text::Edition::Simplified;
    std::unique_ptr<QTranslator> ours;
    std::unique_ptr<QTranslator> qt;
};

// The parts of the Traditional faces, beside the program (and beside each test).
QString facesFolder()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/faces/");
}

Installed &installed()
{
    static Installed state;
    return state;
}

void uninstall(std::unique_ptr<QTranslator> &translator)
{
    if (translator)
        QCoreApplication::removeTranslator(translator.get());
    translator.reset();
}

// Qt's own catalogue (Debian qt6-translations-l10n): Simplified Chinese for the Simplified
// edition, Taiwan's for both Traditional ones, as Qt has none for Hong Kong. Missing, Qt's
// dialogs stay in English, as they would be without the package.
std::unique_ptr<QTranslator> qtCatalogue(text::Edition edition)
{
    auto translator = std::make_unique<QTranslator>();
    const QLocale locale = edition == text::Edition::Simplified
                               ? QLocale(QLocale::Chinese, QLocale::China)
                               : QLocale(QLocale::Chinese, QLocale::Taiwan);
    if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return nullptr;
    return translator;
}

} // namespace

text::Edition current()
{
    return installed().edition;
}

QString cataloguePath(text::Edition edition)
{
    switch (edition) {
    case text::Edition::Taiwan:
        return QStringLiteral(":/i18n/lorvex_zh_TW.qm");
    case text::Edition::HongKong:
        return QStringLiteral(":/i18n/lorvex_zh_HK.qm");
    case text::Edition::Simplified:
        break;
    }
    return {};
}

void setEdition(text::Edition edition)
{
    Installed &state = installed();
    uninstall(state.ours);
    uninstall(state.qt);
    state.edition = edition;
    if (edition != text::Edition::Simplified) {
        auto ours = std::make_unique<QTranslator>();
        if (!ours->load(cataloguePath(edition)))
            throw std::runtime_error("the catalogue " + cataloguePath(edition).toStdString()
                                     + " cannot be loaded");
        QCoreApplication::installTranslator(ours.get());
        state.ours = std::move(ours);
    }
    if ((state.qt = qtCatalogue(edition)))
        QCoreApplication::installTranslator(state.qt.get());
}

std::optional<QString> catalogueText(const char *context, const QString &source)
{
    const Installed &state = installed();
    if (!state.ours)
        return std::nullopt;
    QString found = state.ours->translate(context, source.toUtf8().constData());
    if (found.isNull())
        return std::nullopt;
    return found;
}

QStringList songFaces()
{
    // Taiwan's face must draw 兌 說 稅 脫 with Taiwan's 八, not Hong Kong's 丷: UMing TW draws
    // them as Hong Kong does, cwTeX Ming (Debian fonts-cwtex-ming) as Taiwan's standard has them.
    QString face;
    QString part;
    switch (current()) {
    case text::Edition::Taiwan:
        face = QStringLiteral("cwTeXMing");
        part = QStringLiteral("song_zh_TW.ttf");
        break;
    case text::Edition::HongKong:
        face = QStringLiteral("AR PL UMing HK");
        part = QStringLiteral("song_zh_HK.ttf");
        break;
    case text::Edition::Simplified:
        return {};
    }
    // The part of the face our own texts use, written beside the program when it is built
    // (tools/facesubset): the glyphs a page shows lie close together in it, where the full face
    // scatters them through a file of 11 to 20 MB, and every glyph it holds is the full face's
    // own. A character it lacks, of a user's own text, comes from the full face behind it.
    static QHash<QString, QString> added;
    auto known = added.constFind(part);
    if (known == added.cend()) {
        if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
            return {face};
        QString family;
        if (const QString path = facesFolder() + part; QFile::exists(path)) {
            const int id = QFontDatabase::addApplicationFont(path);
            family = QFontDatabase::applicationFontFamilies(id).value(0);
        }
        known = added.insert(part, family);
    }
    if (known->isEmpty())
        return {face};
    return {*known, face};
}

QString songFace()
{
    return songFaces().value(0);
}

} // namespace edition
