#pragma once

#include <QString>

namespace tarlok {
class Drives;
}

// The all-or-nothing side of a backup to a hard disk: the files are written into a folder of their own
// beside the dated archive folder, and only when every one is verified does that folder take the dated
// folder's place. The earlier folder of the day goes aside under a name of its own while the new one
// takes its name, so that whatever moment the program is killed at, a whole archive of the day is
// there to restore: under the dated name, or under the name set aside. The next backup to the drive
// settles what was left.
namespace tarlok::archive {

// The folder a backup writes its files into (a temporary name: never listed as an archive folder).
QString stagedFolder(const QString& folder);
// The name the earlier folder of the day has while the new one takes its place ("05_03_2006.poprzednia").
QString setAsideFolder(const QString& folder);

// Puts the staged folder in the place of `folder`: the earlier folder goes aside, the staged one takes
// its name, and the earlier one is deleted. False when a rename fails; the earlier folder is then put
// back (or, failing that, stays under its set-aside name for the next backup to settle).
bool putStagedInPlace(Drives& drives, const QString& folder);

// Settles what a backup cut short left in the archive root: staged folders are deleted, and a folder set
// aside takes its name back when no folder has it, or is deleted when one has.
void settleArchiveRoot(Drives& drives, const QString& root);

} // namespace tarlok::archive
