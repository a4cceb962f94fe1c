#pragma once

class QWidget;

namespace quorvane {

// Makes `owner` the window manager's owner of `window` (its transient parent), so the
// window is stacked above the owner and stays there when the owner is clicked, as tool
// windows and dialogs do. Without an owner nothing changes.
void set_window_owner(QWidget* window, QWidget* owner);

// Where a window opens that was not open: centred on its owner at every opening (a box),
// or only at the first, after which it keeps the place the user gave it.
enum class Placement { every_opening, first_opening };

// Shows a window without blocking, in front of its owner: owned by it, centred on it as
// the placement says (on the screen when the owner is hidden), then shown, raised and
// activated. A window that is already open is only brought up again, where it is.
void show_over(QWidget* window, QWidget* owner, Placement placement = Placement::every_opening);

// Shows a window (at its normal size when minimised), raises and activates it.
void bring_to_front(QWidget* window);

// Centres a window on its owner, or on the owner's screen while the owner is hidden.
void centre_on(QWidget* window, const QWidget* owner);

}  // namespace quorvane
