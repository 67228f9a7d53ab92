#pragma once

namespace sonaplex {

class Forms;

// Tells the registry how to make every window of the program, by its name.
void registerWindows(Forms& forms);

} // namespace sonaplex
