#pragma once
// The texts Qt itself shows (the buttons of the message boxes: "Sì", "No",
// "Annulla", "OK"; the standard dialogs) in the language of the program's own
// questions, from Qt's translations as the system installs them
// ("qtbase_it.qm" in Qt's translations folder).
#include <QString>

namespace gui {

// The language of the program's questions to the user.
inline constexpr const char* kProgramLanguage = "it";

// Loads and installs Qt's translation for the language as a child of the
// application object (once; later calls do nothing); false when the system
// has none.
bool LoadQtTranslations(const QString& language = kProgramLanguage);

}  // namespace gui
