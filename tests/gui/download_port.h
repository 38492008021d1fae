// The RF download port as the GUI tests see it from outside the program.
#pragma once

namespace varomil {

// True when port 3000 can be bound: nothing, the program included, listens on it.
bool downloadPortFree();

}  // namespace varomil
