// Every modal window of the program is shown through modal::exec, so that
// tests (and nothing else) can answer it: an installed answerer receives the
// dialog instead of the user, fills and clicks it, and returns its result.
#pragma once

#include <functional>

class QDialog;

namespace modal {

using Answerer = std::function<int(QDialog&)>;

/// Shows the dialog modally (or hands it to the installed answerer) and returns its result.
int exec(QDialog& dialog);

/// Installs an answerer for every following modal window; an empty one restores the user.
void setAnswerer(Answerer answerer);

} // namespace modal
