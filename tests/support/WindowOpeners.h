#pragma once

#include <QMap>
#include <QString>

#include <functional>

class QWidget;

namespace tarlok::test {

class TestApp;

// Shows a window as the user reaches it and returns it.
using WindowOpener = std::function<QWidget*(TestApp&)>;

// The program's windows by a short name ("ewidencja", "terminy", "kopia", ...), each with the steps that
// show it, from the register open on a vehicle and its month.
const QMap<QString, WindowOpener>& windowOpeners();

} // namespace tarlok::test
