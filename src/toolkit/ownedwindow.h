#pragma once

class QWidget;

namespace qv::toolkit {

// Shows a window modeless in front of its owner. The owner only decides stacking: the window
// is not the owner's child, so each keeps its own lifetime.
void showOwned(QWidget& window, QWidget& owner);

}  // namespace qv::toolkit
