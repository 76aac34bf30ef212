#include "lockview/ProcessState.h"
#include "lockview/OmbrelView.h"

namespace ombrel {

ProcessState& processState()
{
    static ProcessState state;
    return state;
}

} // namespace ombrel
