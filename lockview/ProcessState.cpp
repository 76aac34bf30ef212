#include "lockview/ProcessState.h"

namespace ombrel {

ProcessState& processState()
{
    static ProcessState state;
    return state;
}

} // namespace ombrel
