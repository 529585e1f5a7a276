#pragma once

#include <QStringList>

// One function a subcommand; arguments start with the subcommand's name.
// Each gives the process's exit status (clioptions.h).
int RunInfoCommand(const QStringList &arguments);
int RunExportCommand(const QStringList &arguments);
int RunImportCommand(const QStringList &arguments);
int RunAnimateCommand(const QStringList &arguments);
int RunSetCommand(const QStringList &arguments);
int RunPaletteCommand(const QStringList &arguments);
int RunPatchCommand(const QStringList &arguments);
