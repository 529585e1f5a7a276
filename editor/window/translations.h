#pragma once

class QCoreApplication;
class QLocale;

// Installs the window's translation for locale (built in, under :/i18n) and
// Qt's own for its standard dialogs (qtbase_*.qm from Qt's translations
// folder), each where there is one; English stays otherwise. Call once, after
// the application object exists and before the first window.
void InstallTranslations(QCoreApplication &app, const QLocale &locale);
