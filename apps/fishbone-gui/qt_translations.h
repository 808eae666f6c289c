#pragma once

class QCoreApplication;

namespace fishbone_gui {

// Loads Qt's own Chinese texts (the file, print and print-preview dialogs, the standard buttons)
// into the application, whatever the system's language: the component and the host speak
// Chinese, and a dialog in English among them reads as a foreign program. Returns false, and
// leaves Qt's English, where the translation files are not installed.
bool InstallQtChineseTexts(QCoreApplication& application);

}  // namespace fishbone_gui
