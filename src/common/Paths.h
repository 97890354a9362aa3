#pragma once

#include <QString>

namespace tarlok::paths {

// Where the data folder lives below the drive prefix.
inline constexpr const char* kDataFolder = "tarlok/dane_pojazdy";

// The drive prefix of the run: the folder named by TARLOK_DRIVE, or the user's home folder.
QString drivePrefix();

// Resolves `relative` (parts separated by '/' or '\') below `base`, matching every part against the
// entries that exist without regard to case. A part that does not exist keeps the spelling given, so
// "Tarlok/Archiwum.Poj" and "tarlok/ARCHIWUM.Poj" name one folder.
QString resolve(const QString& base, const QString& relative);

// The file `name` inside `folder`, matched without regard to case.
QString fileIn(const QString& folder, const QString& name);

// Resolves `relative` below `base` and creates the folders that are missing, with the spelling given.
// Returns the folder, or an empty string when it could not be created.
QString ensureFolder(const QString& base, const QString& relative);

// True when `path` names an existing file, matched without regard to case.
bool fileExists(const QString& path);

} // namespace tarlok::paths
