#pragma once

namespace kdw {

class CProgramApp;

// Binds every command of the main frame to its handler in the application
// object, the form view or the frame. Commands without a handler stay disabled.
void bindCommands(CProgramApp &app);

} // namespace kdw
