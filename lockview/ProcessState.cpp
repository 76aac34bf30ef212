#include "lockview/ProcessState.h"
#include "lockview/OmbrelView.h"

namespace ombrel {

ProcessState& processState()
{
    // Never destroyed: a lock view still up when the process exits must not run its teardown
    // against host objects that static destruction has already taken away.
    static ProcessState* state = new ProcessState;
    return *state;
}

} // namespace ombrel
