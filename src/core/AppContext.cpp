#include "AppContext.h"

#include "common/Paths.h"
#include "platform/Help.h"

namespace tarlok {

void AppContext::showHelp(int topic) const {
    help.setHelpFile(QStringLiteral("Tarlok.HLP"));
    help.showTopic(topic);
}

QString AppContext::dataFolder() const {
    return paths::resolve(drivePrefix, QString::fromLatin1(paths::kDataFolder));
}

} // namespace tarlok
