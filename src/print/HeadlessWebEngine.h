#pragma once

namespace hv {

// Settles what the browser engine needs to start without a display, before the application
// object exists: the off-screen platform unless one is named, no sandbox when running as
// root (the engine refuses its sandbox there), no GPU, and only critical messages of Qt on the
// terminal.
void PrepareHeadlessWebEngine();

} // namespace hv
