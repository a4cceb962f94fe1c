#pragma once

namespace quorvane {

// Dismisses every modal window that is open, the top one first, as if its user had
// cancelled it. A stop request uses it: each modal window runs an event loop of its own
// inside the one that is to end, and would otherwise keep the program waiting for an
// answer nobody is asked for any more.
void dismiss_modal_windows();

}  // namespace quorvane
