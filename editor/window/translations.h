#pragma once

class QCoreApplication;
class QLocale;

// Installs the window's translation for locale (built in, under :/i18n) and
// Qt's own for its standard dialogs (qtbase_*.qm from Qt's translations
// folder), each where there is one; English stays otherwise. Call once, after
// the application object exists and before the first window.
void InstallTranslations(QCoreApplication &app, const QLocale &locale);

// The English plural forms of the window's counts ("1 file", "3 files"): the
// texts say "%n file(s)" and the built-in English translation words each
// count. InstallTranslations puts it beneath the locale's own; a window made
// without that (tests, tools) installs it itself. Installed once.
void InstallPluralForms();
