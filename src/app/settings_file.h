#pragma once

#include <QSettings>
#include <QString>

namespace ombrelis {

// The editor's per-user settings live where the desktop keeps them:
// $XDG_CONFIG_HOME/ombrelis/ombrelis.conf (~/.config by default), as QSettings
// of this format with kSettingsOrganisation and kSettingsApplication.
inline const QString kSettingsOrganisation = QStringLiteral("ombrelis");
inline const QString kSettingsApplication = QStringLiteral("ombrelis");

// A text format of "[group]" and "key=value" lines, written through the same
// failure-checked writer as the curve files: a write the disk refuses (a full
// disk) is not committed, and the old file stays as it was.
QSettings::Format settingsFormat();

// The file earlier versions kept the settings in, beside the new one:
// "Local AppWizard-Generated Applications/Ombrelis.conf".
QString oldSettingsFile();

}  // namespace ombrelis
