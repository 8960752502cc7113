#include "devlib/state.h"

namespace dlr {

namespace {
LibraryState the_state;
}

LibraryState& state() { return the_state; }

}  // namespace dlr
