#include "editor/window/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

bool pluralFormsInstalled = false;

} // namespace

void InstallPluralForms()
{
    if (pluralFormsInstalled || !QCoreApplication::instance())
        return;
    pluralFormsInstalled = true;
    // Installed first, so that a language installed later is asked first.
    auto *english = new QTranslator(QCoreApplication::instance());
    if (english->load(QStringLiteral("skm-car-editor_en"), QStringLiteral(":/i18n")))
        QCoreApplication::installTranslator(english);
    else
        delete english;
}

void InstallTranslations(QCoreApplication &app, const QLocale &locale)
{
    InstallPluralForms();

    // Parented to the application: they live as long as it does.
    auto *qt = new QTranslator(&app);
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;

    auto *own = new QTranslator(&app);
    if (own->load(locale, QStringLiteral("skm-car-editor"), QStringLiteral("_"), QStringLiteral(":/i18n")))
        QCoreApplication::installTranslator(own);
    else
        delete own;
}
