#pragma once

#include <QString>

namespace tarlok {

struct AppContext;
namespace report {
struct Document;
}

// Shows a printout in the program's preview, modally, with its print command and "Zapisz jako PDF"
// (the file name asked for, beside the current folder, and a message when the file cannot be
// written). Returns when the preview is closed; nothing when the program has no report output.
void showPreview(AppContext& context, const report::Document& document, const QString& windowTitle);

} // namespace tarlok
