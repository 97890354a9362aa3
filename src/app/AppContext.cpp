#include "AppContext.h"

#include "platform/Paths.h"

namespace tarlok {

QString AppContext::dataFolder() const { return paths::resolve(drivePrefix, QString::fromLatin1(paths::kDataFolder)); }

} // namespace tarlok
