#include "Forms.h"

#include "AppContext.h"

namespace tarlok {

Forms::Forms(AppContext& ctx) : context(ctx) {
}

bool Forms::refuseWhileTyping() const {
    return pendingEdits.refuse(context.dialogs);
}

Forms::~Forms() {
    // Later windows go first: they may hold tables linked to earlier ones.
    while (!m_windows.empty())
        m_windows.pop_back();
}

} // namespace tarlok
