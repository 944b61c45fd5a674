#pragma once

class QCoreApplication;

namespace ombrelis {

// Makes Qt's own texts (file and colour dialogs, standard buttons, the command
// line's help) French like the rest of the editor, whatever the user's locale.
// False when Qt's French catalogue is not installed; Qt then speaks English.
bool installQtFrenchTranslations(QCoreApplication &application);

}  // namespace ombrelis
