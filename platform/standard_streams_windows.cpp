#include "platform/standard_streams.h"

namespace platform {

// A Windows program has no signal for a broken pipe, and a standard handle
// it was started without is no number another file could take.
void SecureStandardStreams()
{
}

} // namespace platform
