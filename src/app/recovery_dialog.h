#pragma once

#include "framework/prompts.h"

#include <vector>

class QWidget;

namespace ombrelis {

// Asks at start whether to reopen the windows that an editor left without
// closing them, listing each window's curve names and the time of its last
// change: true for "Récupérer" (the default), false for "Ignorer". Neither
// Escape nor the close box answers, since ignoring deletes the copies.
bool askRecovery(QWidget *owner, const std::vector<RecoverableWindow> &windows);

}  // namespace ombrelis
