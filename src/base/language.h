#pragma once
#include <QString>

namespace sonaplex {

// Where the program's translations (sonaplex_LANG.qm) are: installed beside the program's data
// (PREFIX/share/sonaplex/translations), else in the build tree.
QString translationsFolder();
// Makes every text the program says follow the desktop's language, as LANGUAGE, then LC_ALL,
// LC_MESSAGES and LANG name it; English (the source texts) where no translation has a text.
// Done once per process; later calls do nothing. Returns the language loaded ("en" for none).
QString loadTranslations();
// Keeps this process and the helpers it starts to the program's own (English) texts, whatever
// the environment says (a helper inherits what its program loaded).
void keepSourceTexts();
// In a helper process the program starts: loads the translation its program loaded, which
// loadTranslations() names in the environment the helper inherits. Needs a QCoreApplication.
void loadProgramsTranslation();
// Whether the program that started this helper loaded a translation.
bool programLoadedATranslation();

} // namespace sonaplex
